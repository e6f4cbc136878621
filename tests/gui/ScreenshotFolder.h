#pragma once
// Where the GUI tests put the pictures they take: ORVANE_SCREENSHOT_DIR when it is set, else
// "screenshots" in the test's home. The folder is made when missing.

#include <QDir>
#include <QString>

namespace orvane::test {

inline QString ScreenshotFolder() {
    const QString folder = qEnvironmentVariableIsEmpty("ORVANE_SCREENSHOT_DIR")
                               ? qEnvironmentVariable("HOME") + "/screenshots"
                               : qEnvironmentVariable("ORVANE_SCREENSHOT_DIR");
    QDir().mkpath(folder);
    return folder;
}

}  // namespace orvane::test

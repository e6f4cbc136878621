// Entry point of the GUI tests: widgets need a QApplication, created before any test runs.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/DebugLog.h"

int main(int argc, char** argv) {
    // Test discovery runs the program outside CTest's environment; it must not need a display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    orvane::SetDebugSink(nullptr);
    return RUN_ALL_TESTS();
}

#pragma once
// Tells the user, in a message box over the main window, what happened to data files the program
// could not use as they were (damaged and kept aside, not a regular file, too large). Notices
// come from any thread; each is shown once, those that arrive together in one box, which does not
// wait for an answer.

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/FileNotices.h"
#include "ui/dialogs/MsgWnd.h"

namespace orvane {
class UiThreadGate;

namespace app {

class FileNoticeBox : public QObject {
public:
    // Installs the program's file notice handler for as long as this lives.
    explicit FileNoticeBox(ui::WindowImplBase& window);
    ~FileNoticeBox() override;

    // The box showing notices now, if any (for tests).
    ui::CMsgWnd* OpenBox() const { return box_; }

private:
    void Add(const std::string& message);
    void ShowPending();

    ui::WindowImplBase& window_;
    std::shared_ptr<UiThreadGate> gate_;
    FileNoticeHandler previous_;
    std::set<std::string> shown_;
    std::vector<std::string> pending_;
    bool showScheduled_ = false;
    QPointer<ui::CMsgWnd> box_;
};

}  // namespace app
}  // namespace orvane

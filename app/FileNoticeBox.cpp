#include "app/FileNoticeBox.h"

#include <QTimer>

#include "ui/dialogs/MsgWnd.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/UiThreadGate.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::app {
namespace {

// A runaway source of notices must not grow a box without end.
constexpr size_t kMaxNoticesPerBox = 8;

}  // namespace

FileNoticeBox::FileNoticeBox(ui::WindowImplBase& window)
    : window_(window), gate_(std::make_shared<UiThreadGate>(this)) {
    previous_ = SetFileNoticeHandler([gate = gate_, this](const std::string& message) {
        gate->Post([this, message] { Add(message); });
    });
}

FileNoticeBox::~FileNoticeBox() {
    SetFileNoticeHandler(std::move(previous_));
    gate_->Close();
    if (box_) box_->Close(0);
}

void FileNoticeBox::Add(const std::string& message) {
    if (!shown_.insert(message).second) return;
    if (pending_.size() < kMaxNoticesPerBox) pending_.push_back(message);
    // Notices of one load arrive together: one box for all of them.
    if (!showScheduled_) {
        showScheduled_ = true;
        QTimer::singleShot(0, this, [this] { ShowPending(); });
    }
}

void FileNoticeBox::ShowPending() {
    showScheduled_ = false;
    if (pending_.empty()) return;
    QString text = ui::CResourceManager::GetInstance().GetText("message_file_kept_aside");
    // Paths break after their slashes, so a long one wraps instead of running out of the box.
    for (const std::string& message : pending_) text += "\n\n" + QString::fromStdString(message).replace('/', "/\u200B");
    pending_.clear();
    if (box_) box_->Close(0);
    box_ = ui::ShowMessageNotice(&window_, text, window_.GetDPI());
}

}  // namespace orvane::app

#pragma once
// File dialogs behind one small interface: the program asks AskForFile and gets the full path the
// user chose, or nothing. QFileDialog answers, unless a test has put its own answerer in place.
// UI thread only; the dialog is modal.

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace orvane::ui {

struct FileDialogRequest {
    enum class Purpose { kOpen, kSave };
    Purpose purpose = Purpose::kOpen;
    QWidget* owner = nullptr;
    QString title;              // empty: the dialog's own
    QString filter;             // Qt name filters separated by ";;", e.g. "Profile Files (*.json)"
    QString defaultSuffix;      // appended to a chosen name that has none (saving)
    QString initialName;        // the name the dialog starts with
    bool confirmOverwrite = true;  // saving over an existing file asks first
};

using FileDialogAnswerer = std::function<std::optional<QString>(const FileDialogRequest&)>;

// The chosen file's full path; nullopt when the dialog was cancelled or gave an empty path.
std::optional<QString> AskForFile(const FileDialogRequest& request);

// Makes `answerer` answer every AskForFile (an empty one restores QFileDialog) and returns the
// answerer it replaces.
FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer);

}  // namespace orvane::ui

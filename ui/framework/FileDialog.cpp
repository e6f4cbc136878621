#include "ui/framework/FileDialog.h"

#include <QFileDialog>

#include <utility>

namespace orvane::ui {
namespace {

FileDialogAnswerer& Answerer() {
    static FileDialogAnswerer answerer;
    return answerer;
}

std::optional<QString> AskQFileDialog(const FileDialogRequest& request) {
    const bool save = request.purpose == FileDialogRequest::Purpose::kSave;
    QFileDialog dialog(request.owner, request.title, QString(), request.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> AskForFile(const FileDialogRequest& request) {
    std::optional<QString> chosen = Answerer() ? Answerer()(request) : AskQFileDialog(request);
    if (chosen && chosen->isEmpty()) return std::nullopt;
    return chosen;
}

FileDialogAnswerer SetFileDialogAnswerer(FileDialogAnswerer answerer) {
    return std::exchange(Answerer(), std::move(answerer));
}

}  // namespace orvane::ui

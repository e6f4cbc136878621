#include "app/SkinFrame.h"

#include "app/SkinChange.h"
#include "platform/DebugLog.h"
#include "platform/IniFile.h"
#include "platform/UserFolders.h"
#include "ui/framework/FileDialog.h"
#include "ui/framework/ImageString.h"
#include "ui/framework/TabLayout.h"

namespace orvane::app {
namespace {

constexpr const char* kSkinSection = "SKINIMAGE";

void BroadcastPicture(const QString& image) {
    SkinChangedParam param;
    param.image = image;
    SkinChangeBroadcaster().Broadcast(param);
}

// A failed write changes nothing the user sees: the file is only a record of the choice.
void RecordPicture(int flags, const QString& image) {
    const IniValues values{{"FLAGS", std::to_string(flags)}, {"IMAGE", image.toStdString()}};
    if (!WriteIniValues(CSkinFrame::MainIniPath(), kSkinSection, values)) DebugLog("skin: main.ini not written");
}

bool Is(const QString& name, const char* expected) {
    return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

}  // namespace

CSkinFrame* CSkinFrame::Open(ui::WindowImplBase& owner, const ui::CControlUI& skinButton) {
    auto* frame = new CSkinFrame(owner);
    // The owner is the pop-up's transient parent, which desktops place pop-ups against.
    if (!frame->Create(&owner, "skinframe", Qt::Popup | Qt::FramelessWindowHint)) {
        delete frame;
        return nullptr;
    }
    const QWidget* button = skinButton.GetWidget();
    const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
    frame->move(corner.x() - frame->width(), corner.y());
    frame->ShowWindow(true);
    return frame;
}

std::string CSkinFrame::MainIniPath() {
    const std::string root = DataHomeFolder() + "/" + kProductFolderName + "/";
    MakeFolders(root);
    return root + "main.ini";
}

void CSkinFrame::Notify(ui::TNotifyUI& msg) {
    if (msg.sType != "click" || msg.pSender == nullptr) return;
    const QString name = msg.pSender->GetName();
    if (Is(name, "skin_image_btn")) {
        const QString image = msg.pSender->GetUserData();
        BroadcastPicture(image);
        RecordPicture(1, image);
    } else if (Is(name, "skin_color_btn")) {
        SkinChangedParam param;
        param.colour = true;
        param.backgroundColour = msg.pSender->GetBkColor();
        SkinChangeBroadcaster().Broadcast(param);
    } else if (Is(name, "skin_color") || Is(name, "skin_image")) {
        if (auto* tab = FindControl<ui::CTabLayoutUI>("skin_tab")) tab->SelectItem(Is(name, "skin_color") ? 1 : 0);
    } else if (Is(name, "skin_reset")) {
        BroadcastPicture(kDefaultSkinImage);
        RecordPicture(0, kDefaultSkinImage);
    } else if (Is(name, "skin_Custom")) {
        ChooseOwnPicture();
    }
}

void CSkinFrame::ChooseOwnPicture() {
    ui::FileDialogRequest request;
    request.owner = owner_;
    request.filter = "(*.png);;(*)";
    request.defaultSuffix = "png";
    Close();
    if (const std::optional<QString> file = ui::AskForFile(request)) BroadcastPicture(ui::ImageStringOfFile(*file));
}

}  // namespace orvane::app

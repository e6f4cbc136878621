#pragma once
// CSkinFrame ("skin.xml"): the pop-up under the main window's skin button that chooses the main
// window's background: a preset picture ("skin_image_btn", the picture in its user data), a
// plain colour ("skin_color_btn", its background colour), a picture file of the user's own
// ("skin_Custom", through the file dialog) or the default ("skin_reset"). It changes nothing
// itself: each choice goes to the skin-change broadcaster, and preset and default pictures are
// also written to "main.ini" in the user data root (section "SKINIMAGE", keys "FLAGS" and
// "IMAGE"), which the program never reads back. "skin_image" and "skin_color" switch "skin_tab"
// between the pictures (0) and the colours (1).
//
// A new frame is opened for every click on the skin button; it closes at any click outside it
// and deletes itself once closed. UI thread only.

#include "ui/framework/WindowImplBase.h"

#include <QPointer>

namespace orvane::app {

inline constexpr const char* kDefaultSkinImage = "common/background.png";

class CSkinFrame : public ui::WindowImplBase {
public:
    // Builds the frame and shows it with its top-right corner at the skin button's bottom-right
    // corner. Nullptr when "skin.xml" cannot be built.
    static CSkinFrame* Open(ui::WindowImplBase& owner, const ui::CControlUI& skinButton);

    // "<data home>/ORVANE Q730 Gaming Mouse/main.ini"; the folder is created when missing.
    static std::string MainIniPath();

protected:
    QString GetSkinFile() const override { return "skin.xml"; }
    void Notify(ui::TNotifyUI& msg) override;
    void OnFinalMessage() override { deleteLater(); }

private:
    explicit CSkinFrame(ui::WindowImplBase& owner) : owner_(&owner) {}
    // The pop-up closes first, as the dialog would take the focus from it anyway.
    void ChooseOwnPicture();

    QPointer<ui::WindowImplBase> owner_;
};

}  // namespace orvane::app

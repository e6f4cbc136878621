#pragma once
// CShootControlUI ("ShootControl"): the shooting pattern panel of the mouse page, its children
// from "XML\\CustomControlXML\\ShootControl.xml". Four patterns ("shoot_gun_op_0".."3") of 30
// shots ("bullet_op_0".."29"); the selected shot's corrections and pause are edited in place and
// saved to the user's pattern file when an edit loses the focus. Reset copies the factory file
// over the user's; import and export copy whole pattern files. The files are never sent to the
// device: a button is bound to a pattern by its number in the key assignment.
//
// The page: SetShootUserFolder, SetShootFactoryFolder, BindShootControls, SelectPattern(0),
// SelectShot(0). UI thread only.

#include <QPointer>
#include <QString>

#include <array>

#include "profiles/ShootPatternFile.h"
#include "ui/framework/Container.h"

namespace orvane::ui {
class CEditUI;
class CLabelUI;
class COptionUI;
class CTabLayoutUI;
struct TNotifyUI;
}  // namespace orvane::ui

namespace orvane {

class CShootControlUI : public ui::CHorizontalLayoutUI {
public:
    using CHorizontalLayoutUI::CHorizontalLayoutUI;

    QString GetClass() const override { return "ShootControl"; }
    void* GetInterface(const QString& name) override;

    void SetShootUserFolder(const std::string& folder) { userFolder_ = folder; }
    void SetShootFactoryFolder(const std::string& folder) { factoryFolder_ = folder; }
    ShootPatternFiles Files() const { return {userFolder_, factoryFolder_}; }
    void BindShootControls();

    // Clamped to 0..3 / 0..29.
    void SelectPattern(int pattern);
    void SelectShot(int shot);
    void PreviousShot() { SelectShot(shot_ - 1); }
    void NextShot() { SelectShot(shot_ + 1); }
    int SelectedPattern() const { return pattern_; }
    int SelectedShot() const { return shot_; }
    // The selected shot of the selected pattern's user file into the controls.
    void ShowShot();
    // The controls' values as the selected shot (text that is not a number gives 0).
    void SaveShot();
    void ResetPattern();
    void ShowXDirection();
    void ShowYDirection();
    // Asks for a file and copies the selected pattern to it / a whole pattern from it. False when
    // cancelled, refused or not written.
    bool ExportPattern();
    bool ImportPattern();

    // A notification of one of the panel's controls, as the main window routes it. False for
    // anything else.
    bool OnNotify(const ui::TNotifyUI& msg, int number);

private:
    std::string userFolder_;
    std::string factoryFolder_;
    int pattern_ = 0;
    int shot_ = -1;
    std::array<QPointer<ui::COptionUI>, kShootPatternCount> patterns_;
    std::array<QPointer<ui::COptionUI>, kShotCount> shots_;
    QPointer<ui::CTabLayoutUI> pictures_;
    QPointer<ui::CLabelUI> shotIndex_;
    QPointer<ui::COptionUI> xCheck_, yCheck_;
    QPointer<ui::CEditUI> xEdit_, yEdit_, pauseEdit_;
};

}  // namespace orvane

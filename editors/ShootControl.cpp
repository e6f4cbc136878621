#include "editors/ShootControl.h"

#include "ui/framework/Edit.h"
#include "ui/framework/FileDialog.h"
#include "ui/framework/Label.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"
#include "ui/framework/TabLayout.h"

namespace orvane {
namespace {

constexpr const char* kPatternFilter = "Shooting patterns (*.Shoot)";

int NumberOf(const ui::CEditUI* edit) {
    return edit != nullptr ? edit->GetText().trimmed().toInt() : 0;
}

}  // namespace

void* CShootControlUI::GetInterface(const QString& name) {
    if (name == "ShootControl") return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CShootControlUI::BindShootControls() {
    for (int g = 0; g < kShootPatternCount; ++g) {
        patterns_[g] = FindSubControlByName<ui::COptionUI>(QStringLiteral("shoot_gun_op_%1").arg(g));
    }
    for (int b = 0; b < kShotCount; ++b) {
        shots_[b] = FindSubControlByName<ui::COptionUI>(QStringLiteral("bullet_op_%1").arg(b));
    }
    pictures_ = FindSubControlByName<ui::CTabLayoutUI>("shoot_image_display_switch");
    shotIndex_ = FindSubControlByName<ui::CLabelUI>("bullet_select_index");
    xCheck_ = FindSubControlByName<ui::COptionUI>("bullet_x_check");
    yCheck_ = FindSubControlByName<ui::COptionUI>("bullet_y_check");
    xEdit_ = FindSubControlByName<ui::CEditUI>("bullet_x_eidt");
    yEdit_ = FindSubControlByName<ui::CEditUI>("bullet_y_eidt");
    pauseEdit_ = FindSubControlByName<ui::CEditUI>("bullet_delay_eidt");
    for (ui::CEditUI* edit : {xEdit_.data(), yEdit_.data()}) {
        if (edit != nullptr) edit->SetMaxValue(kMaxShotDistance);
    }
    if (pauseEdit_ != nullptr) pauseEdit_->SetMaxValue(kMaxShotPauseMs);
}

void CShootControlUI::SelectPattern(int pattern) {
    pattern_ = std::clamp(pattern, 0, kShootPatternCount - 1);
    for (int g = 0; g < kShootPatternCount; ++g) {
        if (patterns_[g] != nullptr) patterns_[g]->SetSelected(g == pattern_, false);
    }
    if (pictures_ != nullptr) pictures_->SelectItem(pattern_);
}

void CShootControlUI::SelectShot(int shot) {
    shot_ = std::clamp(shot, 0, kShotCount - 1);
    for (int b = 0; b < kShotCount; ++b) {
        if (shots_[b] != nullptr) shots_[b]->SetSelected(b == shot_, false);
    }
    if (shotIndex_ != nullptr) shotIndex_->SetText(QString::number(shot_ + 1));
    ShowShot();
}

void CShootControlUI::ShowShot() {
    const ShotValues v = Files().Shot(pattern_, std::max(shot_, 0));
    if (xCheck_ != nullptr) xCheck_->SetSelected(v.left, false);
    if (yCheck_ != nullptr) yCheck_->SetSelected(v.up, false);
    ShowXDirection();
    ShowYDirection();
    if (xEdit_ != nullptr) xEdit_->SetText(QString::number(v.x));
    if (yEdit_ != nullptr) yEdit_->SetText(QString::number(v.y));
    if (pauseEdit_ != nullptr) pauseEdit_->SetText(QString::number(v.pauseMs));
}

void CShootControlUI::SaveShot() {
    ShotValues v;
    v.left = xCheck_ != nullptr && xCheck_->IsSelected();
    v.up = yCheck_ != nullptr && yCheck_->IsSelected();
    v.x = NumberOf(xEdit_);
    v.y = NumberOf(yEdit_);
    v.pauseMs = NumberOf(pauseEdit_);
    Files().SaveShot(pattern_, std::max(shot_, 0), v);
    // The edits show what the file now holds (values out of range were clamped).
    ShowShot();
}

void CShootControlUI::ResetPattern() {
    Files().ResetPattern(pattern_);
    SelectShot(shot_);
}

void CShootControlUI::ShowXDirection() {
    if (xCheck_ != nullptr) xCheck_->SetText(xCheck_->IsSelected() ? "mouse_move_to_left_text" : "mouse_move_to_right_text");
}

void CShootControlUI::ShowYDirection() {
    if (yCheck_ != nullptr) yCheck_->SetText(yCheck_->IsSelected() ? "mouse_move_to_up_text" : "mouse_move_to_down_text");
}

bool CShootControlUI::ExportPattern() {
    ui::FileDialogRequest request;
    request.purpose = ui::FileDialogRequest::Purpose::kSave;
    request.owner = this;
    request.filter = kPatternFilter;
    request.defaultSuffix = "Shoot";
    request.initialName = QString::fromStdString(ShootPatternFileName(pattern_));
    const std::optional<QString> path = ui::AskForFile(request);
    return path && Files().ExportPattern(pattern_, path->toStdString());
}

bool CShootControlUI::ImportPattern() {
    ui::FileDialogRequest request;
    request.owner = this;
    request.filter = kPatternFilter;
    const std::optional<QString> path = ui::AskForFile(request);
    if (!path) return false;
    const std::optional<bool> imported = Files().ImportPattern(pattern_, path->toStdString());
    if (!imported || !*imported) return false;
    SelectShot(shot_);
    return true;
}

bool CShootControlUI::OnNotify(const ui::TNotifyUI& msg, int number) {
    if (msg.pSender == nullptr || !isAncestorOf(msg.pSender->GetWidget())) return false;
    const QString name = msg.pSender->GetName();
    const QString& type = msg.sType;
    const auto* option = dynamic_cast<const ui::COptionUI*>(msg.pSender);
    if (type == "selectchanged") {
        // The option that was left raises the notification too.
        if (name.startsWith("shoot_gun_op_", Qt::CaseInsensitive)) {
            if (option == nullptr || !option->IsSelected()) return false;
            SelectPattern(number);
            ShowShot();
        } else if (name.startsWith("bullet_op_", Qt::CaseInsensitive)) {
            if (option == nullptr || !option->IsSelected()) return false;
            SelectShot(number);
        } else if (name == "bullet_x_check") {
            ShowXDirection();
        } else if (name == "bullet_y_check") {
            ShowYDirection();
        } else {
            return false;
        }
        return true;
    }
    if (type == "click") {
        if (name == "bullet_selected_prev") PreviousShot();
        else if (name == "bullet_selected_next") NextShot();
        else if (name == "shootdate_reset_btn") ResetPattern();
        else if (name == "shootdate_export_btn") ExportPattern();
        else if (name == "shootdate_import_btn") ImportPattern();
        // Shots are saved as an edit is left; the save button saves the shot on screen as well.
        else if (name == "shootdate_save_btn") SaveShot();
        else return false;
        return true;
    }
    if (type == "killfocus" && (name == "bullet_x_eidt" || name == "bullet_y_eidt" || name == "bullet_delay_eidt")) {
        SaveShot();
        return true;
    }
    return false;
}

}  // namespace orvane

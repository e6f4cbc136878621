#include "online/view/UpdateInfoListItem.h"

#include "ui/framework/Option.h"

#include <QPainter>

#include <optional>

namespace orvane::online {
namespace {

struct RowLook {
    bool progress;
    bool done;
    ui::ArgbColor text;
    ui::ArgbColor disabledText;
    ui::ArgbColor selectedText;
};

constexpr ui::ArgbColor kWhite = 0xFFFFFFFF;
constexpr ui::ArgbColor kGrey = 0xFF666666;
constexpr ui::ArgbColor kBlue = 0xFF0099FF;
constexpr ui::ArgbColor kDarkBlue = 0xFF0078C8;

std::optional<RowLook> LookOf(int state) {
    switch (state) {
        case kRowNew:
        case kRowCurrent: return RowLook{false, false, kWhite, kGrey, kWhite};
        case kRowUpdateFound:
        case kRowUpdateFound2:
        case kRowQueued:
        case kRowUpdateFailed: return RowLook{false, false, kBlue, kDarkBlue, kWhite};
        case kRowUpdating:
        case kRowUpdating2: return RowLook{true, false, kBlue, kDarkBlue, kWhite};
        case kRowUpdated: return RowLook{false, true, kBlue, kDarkBlue, kWhite};
        default: return std::nullopt;
    }
}

constexpr ui::ArgbColor kDefaultHotBorder = 0xFF38D6C4;

}  // namespace

void* CUpdateInfoListItemUI::GetInterface(const QString& name) {
    return name == "UpdateInfoListItemUI" ? this : CListElementUI::GetInterface(name);
}

ui::COptionUI* CUpdateInfoListItemUI::GetOption() const {
    return FindSubControlByName<ui::COptionUI>("check_name_select");
}

void CUpdateInfoListItemUI::SetUpdateRowState(int state) {
    if (state == state_) return;
    state_ = state;
    const std::optional<RowLook> look = LookOf(state);
    if (!look) return;
    for (const char* progress : {"update_status_ing", "update_progress_value"}) {
        if (ui::CControlUI* part = FindSubControlByName(progress)) part->SetVisible(look->progress);
    }
    if (look->progress) SetProgress(0);
    if (ui::CControlUI* done = FindSubControlByName("update_status_ok")) done->SetVisible(look->done);
    if (ui::COptionUI* option = GetOption()) {
        option->SetTextColor(look->text);
        option->SetDisabledTextColor(look->disabledText);
        option->SetSelectedTextColor(look->selectedText);
        option->SetEnabled(true);
    }
}

void CUpdateInfoListItemUI::SetProgress(int percent) {
    if (ui::CControlUI* value = FindSubControlByName("update_progress_value")) value->SetText(QString("%1%").arg(percent));
}

void CUpdateInfoListItemUI::enterEvent(QEnterEvent* e) {
    CListElementUI::enterEvent(e);
    hot_ = true;
    update();
}

void CUpdateInfoListItemUI::leaveEvent(QEvent* e) {
    CListElementUI::leaveEvent(e);
    hot_ = false;
    update();
}

void CUpdateInfoListItemUI::paintEvent(QPaintEvent* e) {
    CListElementUI::paintEvent(e);
    const ui::COptionUI* option = GetOption();
    if (!hot_ || (option != nullptr && option->IsSelected())) return;
    ui::ArgbColor colour = kDefaultHotBorder;
    if (const ui::CListUI* list = GetOwner()) {
        colour = ui::ParseColor(list->property("itemhotbordercolor").toString()).value_or(kDefaultHotBorder);
    }
    QPainter painter(this);
    painter.setPen(ui::ToQColor(colour));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace orvane::online

#include "pages/headset/CMagicControlUI.h"

#include "ui/framework/Option.h"

namespace orvane {
namespace {

const QString kEnableOption = QStringLiteral("magic_enable_option");
const QString kKindsLayout = QStringLiteral("magic_option_layout");

QString KindName(int n) { return QStringLiteral("magic_option_%1").arg(n); }

}  // namespace

void* CMagicControlUI::GetInterface(const QString& name) {
    if (name == "MagicControl") return this;
    return CVerticalLayoutUI::GetInterface(name);
}

void CMagicControlUI::SetEffectEnabled(bool on) {
    if (auto* option = FindSubControlByName<ui::COptionUI>(kEnableOption)) option->SetSelected(on, false);
    if (auto* layout = FindSubControlByName<ui::CControlUI>(kKindsLayout)) layout->SetEnabled(on);
}

bool CMagicControlUI::IsEffectEnabled() const {
    const auto* option = FindSubControlByName<ui::COptionUI>(kEnableOption);
    return option != nullptr && option->IsSelected();
}

void CMagicControlUI::SelectKind(int n) {
    for (int i = 1; i <= kKinds; ++i) {
        if (auto* option = FindSubControlByName<ui::COptionUI>(KindName(i))) option->SetSelected(false, false);
    }
    kind_ = (n >= 1 && n <= kKinds) ? n : 0;
    if (kind_ == 0) return;
    if (auto* option = FindSubControlByName<ui::COptionUI>(KindName(kind_))) option->SetSelected(true, false);
}

void CMagicControlUI::ShowAvailability(bool supported) {
    if (auto* controls = FindSubControlByName<ui::CControlUI>(QStringLiteral("magic_controls"))) {
        controls->SetVisible(supported);
    }
    if (auto* notice = FindSubControlByName<ui::CControlUI>(QStringLiteral("magic_unavailable"))) {
        notice->SetVisible(!supported);
    }
}

}  // namespace orvane

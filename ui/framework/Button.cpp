#include "ui/framework/Button.h"

namespace orvane::ui {

CButtonUI::CButtonUI(QWidget* parent) : ControlWidget(parent) {
    connect(this, &QPushButton::clicked, this, [this] { Activate(); });
}

void* CButtonUI::GetInterface(const QString& name) {
    return name == "Button" ? this : ControlWidget::GetInterface(name);
}

bool CButtonUI::Activate() {
    if (!ControlWidget::Activate()) return false;
    SendNotify("click");
    return true;
}

}  // namespace orvane::ui

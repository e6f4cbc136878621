#include "ui/framework/ControlFactory.h"

namespace orvane::ui {

CControlFactory& CControlFactory::GetInstance() {
    static CControlFactory instance;
    return instance;
}

void CControlFactory::RegistControl(const QString& className, Creator creator) {
    creators_.insert(className, std::move(creator));
}

CControlUI* CControlFactory::CreateControl(const QString& className) const {
    const auto it = creators_.constFind(className);
    return it == creators_.constEnd() ? nullptr : (*it)();
}

}  // namespace orvane::ui

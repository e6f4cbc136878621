#pragma once
// Control classes registered by the program under their class names ("CDeviceKeyButtonUI"), so
// layout files can place them; the dialog builder asks here after the framework's own classes
// and before the owner's CreateControl. UI thread only.

#include <QHash>
#include <QString>

#include <functional>

namespace orvane::ui {

class CControlUI;

class CControlFactory {
public:
    using Creator = std::function<CControlUI*()>;

    static CControlFactory& GetInstance();

    // A later registration under the same name replaces the earlier one.
    void RegistControl(const QString& className, Creator creator);
    // A new control of the registered class, or nullptr.
    CControlUI* CreateControl(const QString& className) const;

private:
    CControlFactory() = default;
    QHash<QString, Creator> creators_;
};

}  // namespace orvane::ui

#include "ui/controls/CustomControls.h"

#include "ui/controls/ChartView.h"
#include "ui/controls/CircleProgress.h"
#include "ui/controls/ComboEditContainerElement.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/DeviceOption.h"
#include "ui/controls/HandImgButton.h"
#include "ui/controls/HandImgSelectButton.h"
#include "ui/controls/MpDevicePower.h"
#include "ui/controls/RedioMacroButton.h"
#include "ui/controls/SelectPanel.h"
#include "ui/controls/Wnd.h"
#include "ui/framework/ControlFactory.h"

namespace orvane::ui {
namespace {

struct ControlClass {
    const char* className;
    const char* tag;
    CControlUI* (*create)();
};

template <class T>
CControlUI* Make() {
    return new T;
}

constexpr ControlClass kClasses[] = {
    {"CDeviceOptionUI", "DeviceOption", &Make<CDeviceOptionUI>},
    {"CMpDevicePowerUI", "MpDevicePower", &Make<CMpDevicePowerUI>},
    {"CDeviceKeyButtonUI", "DeviceKeyButton", &Make<CDeviceKeyButtonUI>},
    {"CSelectPanelUI", "SelectPanel", &Make<CSelectPanelUI>},
    {"CCircleProgressUI", "CircleProgress", &Make<CCircleProgressUI>},
    {"CHandImgButtonUI", "HandImgButton", &Make<CHandImgButtonUI>},
    {"CHandImgSelectButtonUI", "HandImgSelectButton", &Make<CHandImgSelectButtonUI>},
    {"CRedioMacroButtonUI", "RedioMacroButton", &Make<CRedioMacroButtonUI>},
    {"CComboEditContainerElementUI", "ComboEditContainerElement", &Make<CComboEditContainerElementUI>},
    {"CChartViewUI", "ChartView", &Make<CChartViewUI>},
    {"CWndUI", "Wnd", &Make<CWndUI>},
};

}  // namespace

void RegisterCustomControls() {
    CControlFactory& factory = CControlFactory::GetInstance();
    for (const ControlClass& c : kClasses) {
        factory.RegistControl(c.className, c.create);
        factory.RegistControl(c.tag, c.create);
    }
}

CControlUI* CreateCustomControl(const QString& tag) {
    for (const ControlClass& c : kClasses) {
        if (tag.compare(QLatin1String(c.className), Qt::CaseInsensitive) == 0 ||
            tag.compare(QLatin1String(c.tag), Qt::CaseInsensitive) == 0) {
            return c.create();
        }
    }
    return nullptr;
}

}  // namespace orvane::ui

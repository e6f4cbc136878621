#include "app/ControlRegistration.h"

#include "editors/LightControl.h"
#include "editors/ShootControl.h"
#include "editors/keys/CKeySetControlUI.h"
#include "editors/keys/CMacroControlUI.h"
#include "pages/CQuorvantKeyboardDevice.h"
#include "pages/CQuorvantMouseDevice.h"
#include "pages/CQuorvantMousePadDevice.h"
#include "pages/DeviceProfileView.h"
#include "pages/headset/CMagicControlUI.h"
#include "pages/headset/CQuorvantHS8127Device.h"
#include "pages/headset/CVoice8127ControlUI.h"
#include "ui/controls/CustomControls.h"
#include "ui/framework/ControlFactory.h"
#include "ui/framework/DialogBuilder.h"

namespace orvane::app {
namespace {

template <class T>
ui::CControlUI* Make() {
    return new T;
}

struct PageTag {
    const char* tag;
    ui::CControlUI* (*create)();
};

// The mouse and keyboard pages are created by tag only.
constexpr PageTag kPageTags[] = {
    {"QuorvantMousePadDevice", &Make<CQuorvantMousePadDevice>},
    {"QuorvantHS8127Device", &Make<CQuorvantHS8127Device>},
    {"QuorvantMouseDevice", &Make<CQuorvantMouseDevice>},
    {"QuorvantKeyboardDevice", &Make<CQuorvantKeyboardDevice>},
    {"DeviceProfile", &Make<CDeviceProfileUI>},
    {"LightControl", &Make<CLightControlUI>},
    {"ShootControl", &Make<CShootControlUI>},
    {"KeySetControl", &Make<CKeySetControlUI>},
    {"MacroControl", &Make<CMacroControlUI>},
    {"Voice8127Control", &Make<CVoice8127ControlUI>},
    {"MagicControl", &Make<CMagicControlUI>},
};

struct NestedLayout {
    const char* tag;
    const char* layout;
};

constexpr NestedLayout kNestedLayouts[] = {
    {"DeviceProfileUI", "XML\\CustomControlXML\\DeviceProfile.xml"},
    {"LightSetControlUI", "XML\\CustomControlXML\\LightControl.xml"},
    {"Voice8127SetControlUI", "XML\\CustomControlXML\\Voice8127Control.xml"},
    {"MagicSetControlUI", "XML\\CustomControlXML\\MagicControl.xml"},
    {"KeySetControlUI", "XML\\CustomControlXML\\KeySetControl.xml"},
    {"MacroSetControlUI", "XML\\CustomControlXML\\MacroControl.xml"},
    {"ShootKeySetControlUI", "XML\\CustomControlXML\\ShootControl.xml"},
};

bool SameTag(const QString& tag, const char* name) {
    return tag.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

}  // namespace

void RegisterProgramControls() {
    ui::RegisterCustomControls();
    ui::CControlFactory& factory = ui::CControlFactory::GetInstance();
    factory.RegistControl("CQuorvantUSBDevice", &Make<CQuorvantUSBDevice>);
    factory.RegistControl("CQuorvantMousePadDevice", &Make<CQuorvantMousePadDevice>);
    factory.RegistControl("CQuorvantHS8127Device", &Make<CQuorvantHS8127Device>);
}

ui::CControlUI* CreateProgramControl(const QString& tag, ui::IDialogBuilderCallback* callback) {
    if (ui::CControlUI* control = ui::CreateCustomControl(tag)) return control;
    for (const PageTag& page : kPageTags) {
        if (SameTag(tag, page.tag)) return page.create();
    }
    for (const NestedLayout& nested : kNestedLayouts) {
        if (SameTag(tag, nested.tag)) return ui::CDialogBuilder().Create(nested.layout, callback);
    }
    return nullptr;
}

}  // namespace orvane::app

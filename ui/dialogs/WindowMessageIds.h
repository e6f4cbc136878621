#pragma once
// The numbered window messages the main window handles beyond the framework's own (numbers as
// programs of this kind know them), and the registered names of the shared ones.

#include "ui/framework/WindowMessages.h"

#include <array>

namespace orvane::ui {

// Platform events, delivered by the window's own watchers.
inline constexpr unsigned WM_DISPLAYCHANGE = 0x007E;
inline constexpr unsigned WM_POWERBROADCAST = 0x0218;  // wParam PBT_APMSUSPEND / PBT_APMRESUMEAUTOMATIC
inline constexpr unsigned WM_DPICHANGED = 0x02E0;      // wParam: the new DPI in the low word
inline constexpr WParam PBT_APMSUSPEND = 4;
inline constexpr WParam PBT_APMRESUMEAUTOMATIC = 18;
inline constexpr LParam WM_LBUTTONUP = 0x0202;
inline constexpr LParam WM_RBUTTONUP = 0x0205;

// The program's own messages.
inline constexpr unsigned kTrayCallback = 1025;        // lParam: WM_LBUTTONUP or WM_RBUTTONUP
inline constexpr unsigned kInputCapture = 1054;        // wParam 0: hooks off; 1: single-key capture on
inline constexpr unsigned kMenuCommand = 1145;         // wParam: const MenuCommand*
inline constexpr unsigned kDpiNotice = 1224;
inline constexpr unsigned kShowProgress = 3072;        // wParam 1 (or none): show "setting_progress"; 0: hide it
inline constexpr unsigned kApplyLanguage = 3089;       // wParam: language index
inline constexpr unsigned WM_DEVICE_ARRIVAL = 3090;    // wParam: slot index
inline constexpr unsigned WM_DEVICE_REMOVAL = 3091;    // wParam: slot index
inline constexpr unsigned kOpenSettingsWindow = 3093;
inline constexpr unsigned kUpdateUpToDate = 3094;
inline constexpr unsigned kPadProfileNumber = 0x0D00;  // from the pages; no action
inline constexpr unsigned kPowerStatus = 0x0D01;       // from the pages; no action

// Registered by name, shared with other processes (SharedMessages.h).
inline constexpr const char* kSoftwareIdentityName = "ORVANE Q730 Gaming Mouse";
inline constexpr const char* kUpdateStatusName = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
inline constexpr const char* kLightControlAnnounceName = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
inline constexpr const char* kLightControlSetName = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";

// The registered messages of the input hooks that carry recorded input.
inline constexpr std::array<const char*, 9> kHookMessageNames{
    "WM_HOOK_KEY_SINGLEKEY_MSG",       "WM_HOOK_KEY_KBMACRO_MSG",          "WM_HOOK_KEY_KBMACROPREVIOUS_MSG",
    "WM_HOOK_KEY_KBMACROLATER_MSG",    "WM_HOOK_KEY_KBMACROSINGLE_MSG",    "WM_HOOK_KEY_MSMACRO_MSG",
    "WM_HOOK_KEY_MSMACROLATER_MSG",    "WM_HOOK_KEY_MSMACROPREVIOUS_MSG",  "WM_HOOK_KEY_MSMACROSINGLE_MSG"};

inline unsigned WmSoftwareIdentity() { return RegisterWindowMessage(kSoftwareIdentityName); }
inline unsigned WmUpdateStatus() { return RegisterWindowMessage(kUpdateStatusName); }
inline unsigned WmLightControlAnnounce() { return RegisterWindowMessage(kLightControlAnnounceName); }
inline unsigned WmLightControlSet() { return RegisterWindowMessage(kLightControlSetName); }

}  // namespace orvane::ui

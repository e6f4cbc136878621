#pragma once
// The program's control classes, by class name and by layout tag:
//   CDeviceOptionUI               DeviceOption
//   CMpDevicePowerUI              MpDevicePower
//   CDeviceKeyButtonUI            DeviceKeyButton
//   CSelectPanelUI                SelectPanel
//   CCircleProgressUI             CircleProgress
//   CHandImgButtonUI              HandImgButton
//   CHandImgSelectButtonUI        HandImgSelectButton
//   CRedioMacroButtonUI           RedioMacroButton
//   CComboEditContainerElementUI  ComboEditContainerElement
//   CChartViewUI                  ChartView
//   CWndUI                        Wnd

#include <QString>

namespace orvane::ui {

class CControlUI;

// Registers every class with the control factory under both names, so layout files place them
// by either. UI thread, once at start.
void RegisterCustomControls();

// A new control for a class name or tag above, compared without regard to case; nullptr for any
// other. For a window's CreateControl callback.
CControlUI* CreateCustomControl(const QString& tag);

}  // namespace orvane::ui

#pragma once
// The keyboard page's settings panel bound to the keyboard core: the report-rate options
// "polling_rate_option_0".."3", the flags "winlockflag_option", "wflag_option" and "6flag_option"
// (saved and written with the block), the key repeat checks "repeat_rate_check_0".."3" and
// "repeat_delay_check_0".."3" and the slider "repeat_rate_slider" (saved and applied to the
// desktop), the button "reset_repeat_btn" that puts the desktop's default repeat back, the delay
// label "repeat_delay_time_label1" and the field "repeat_input_richedit" in which the user tries
// the repeat. Controls are looked up once; a layout may lack any of them.

#include <QPointer>
#include <QWidget>

#include <array>

#include "keyboard/KeyboardDevice.h"

namespace orvane::ui {
class CControlUI;
struct TNotifyUI;
}  // namespace orvane::ui

namespace orvane {

inline constexpr int kKeyRepeatOptions = 4;

// Repeat check N stands for rate N x 8 + 7; rate r shows as check r / 8.
constexpr int RepeatRateOfCheck(int n) { return n * 8 + 7; }
constexpr int RepeatCheckOfRate(int rate) { return rate / 8; }

class KeyboardSettingsPanel {
public:
    KeyboardSettingsPanel(ui::CControlUI& page, KeyboardDevice& keyboard);

    // Every control shows the keyboard's settings (the slider the exact repeat rate); the repeat
    // field is emptied.
    void Show();
    // A notification of one of the panel's controls: the setting changed through the core.
    // False when the sender is none of the panel's.
    bool OnNotify(const ui::TNotifyUI& msg);

private:
    void ShowDelayText();

    KeyboardDevice& keyboard_;
    std::array<QPointer<QWidget>, kKeyboardReportRateOptions> reportRates_;
    std::array<QPointer<QWidget>, kKeyRepeatOptions> repeatRates_;
    std::array<QPointer<QWidget>, kKeyRepeatOptions> repeatDelays_;
    QPointer<QWidget> winLock_;
    QPointer<QWidget> wLock_;
    QPointer<QWidget> sixKey_;
    QPointer<QWidget> repeatSlider_;
    QPointer<QWidget> delayLabel_;
    QPointer<QWidget> repeatField_;
};

}  // namespace orvane

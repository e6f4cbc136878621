#pragma once
// The key assignment panel in units: what its pages hold (KeyFunctionForm), how a page's choice
// becomes a three-byte function code and how a code is shown again, and how a key pressed while
// the key text has the focus becomes the keyboard page's key. The panel's view only moves these
// values to and from its controls.

#include <optional>
#include <string>

#include "protocol/KeyTable.h"

namespace orvane {

// The function pages of the panel ("keyset_function_combo" entries carry these numbers).
enum KeyFunctionPage : int {
    kPageDefault = 0,
    kPageMouseButton = 1,
    kPagePointerMove = 2,
    kPageWheel = 3,
    kPageDpi = 4,
    kPageRapidFire = 5,
    kPageKeyboard = 6,
    kPageConsumer = 7,
    kPagePower = 8,
    kPageMacro = 9,
    kPageShootPattern = 10,
    kPageShortcut = 11,
    kPageSpecial = 12,
    kNoPage = -1,  // a code the panel does not know
};

inline constexpr int kPlayModeRepeatCount = 4;  // "keyset_macro_over_combo" entry of a counted repeat

struct KeyFunctionForm {
    int page = kPageDefault;
    int entry = -1;  // the selected row of the page's list (pages 1, 4, 7, 8, 10, 11, and the macro of 9)
    // Pages 2 and 3: direction entry (0, 1; -1 none), count, delay and speed as typed.
    int direction = -1;
    int count = 0;
    int delay = 0;
    int speed = 0;
    // Page 5.
    int interval = 0;
    int fireCount = 0;
    // Page 6: modifier option -1 (none selected), 0 none, 1 Ctrl, 2 Shift, 3 Alt, 4 Windows; the
    // name key of the key shown (empty: no key).
    int modifierOption = -1;
    std::string keyName;
    // Page 9: play mode entry (-1 none), repeat count, whether the count shows.
    int playMode = -1;
    int repeatCount = 0;
    bool repeatShown = false;

    bool operator==(const KeyFunctionForm&) const = default;
};

// The code of the form. Page 6 takes its key usage from `current` (none when the form shows no
// key); page 0 and pages the panel does not know give `defaultCode`.
FunctionCode EncodeKeyFunction(const KeyFunctionForm& form, const FunctionCode& current, const FunctionCode& defaultCode);

struct ShownFunction {
    KeyFunctionForm form;
    // A keyboard code whose key no row names: the current code keeps only its type.
    bool clearsCurrent = false;
};
// How `code` shows; `macroCount` is the number of macros the panel lists.
ShownFunction ShowKeyFunction(const FunctionCode& code, const FunctionCode& defaultCode, int macroCount);

// The modifier bit of an option (0 for -1 and 0).
uint8_t ModifierBitOfOption(int option);
// The option of modifier row k (0-7): left and right modifiers both map to options 1-4.
int ModifierOptionOfRow(int row);

struct CapturedKey {
    std::optional<int> modifierOption;  // set when the key is a modifier or no option was selected
    std::optional<std::string> keyName;  // set for any other key
    FunctionCode code;                   // the new current code
};
// A key press of the one-key capture; nullopt for a key the keyboard key table lacks.
std::optional<CapturedKey> CaptureKey(uint8_t scanCode, bool extended, int modifierOption, const FunctionCode& current);

}  // namespace orvane

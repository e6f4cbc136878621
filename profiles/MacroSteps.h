#pragma once
// What the macro panel makes of steps and names: how a step row looks (name key and styles), the
// name a new macro gets, the steps the panel inserts for mouse buttons and pointer moves, and the
// check of a macro file brought in from elsewhere.

#include <optional>
#include <string>
#include <vector>

#include "profiles/MacroFile.h"

namespace orvane {

inline constexpr int kMaxMacros = 50;
inline constexpr int kMaxMacroSteps = 2000;
inline constexpr int kMaxStepDelay = 65535;
inline constexpr int kDefaultFixedDelay = 50;

struct StepLook {
    std::string nameKey;      // language key of the key or button; empty when none
    std::string nameStyle;    // "macro_label_keyboard_style" or "macro_label_mouse_style"; empty for unknown types
    std::string actionStyle;  // "macro_label_down_style", "macro_label_up_style", "macro_move_text_style", ...
    std::string actionText;   // the distance of a pointer move
};
StepLook LookOfStep(const MacroEvent& event);

// The delay a step row shows: its "Delay" as a decimal number, at most 65535.
int ShownDelay(const MacroEvent& event);

// "macro_N" with the smallest N from 1 on that no name equals, ignoring case.
std::string NextMacroName(const std::vector<std::string>& names);
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// Window messages of the mouse buttons a macro holds, and the pointer move the panel inserts.
inline constexpr unsigned kMessagePointerMove = 0x0200;
inline constexpr unsigned kMessageXButtonDown = 0x020B;
inline constexpr unsigned kMessageXButtonUp = 0x020C;
// The step for a button message (variant 0 forward, 1 back for the X buttons) or a pointer move
// (variant 0 left, 1 right, 2 up, 3 down; `distance` keeps its low 8 bits), with the fixed delay.
// nullopt for any other message.
std::optional<MacroEvent> InsertedMouseStep(unsigned message, int variant, int distance, int fixedDelay);

// A macro file as a document another program or an earlier export made: nullopt when it is no
// macro (not an object, "Events" not an array of steps of known types, more than 2000 steps).
std::optional<MacroFile> CheckedMacroDocument(const Json::Value& root);

}  // namespace orvane

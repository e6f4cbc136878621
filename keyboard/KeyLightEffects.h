#pragma once
// The keyboard's light modes as small pure functions over the key grid: for each mode a renderer
// (one animation step of every key's colour and intensity), an initialiser (run on entering the
// mode) and, for the reactive modes, a key-press handler. Lights are indexed by logical key.
//
// Modes 0, 1 and 21 are the shared static red, breathing and off effects; 2-19 the keyboard's
// own; 20 the custom static pattern; 22 and above play the user effect's steps (no renderer
// here: the caller plays them).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "keyboard/KeyboardKeys.h"
#include "light/LightFrame.h"
#include "light/PreviewEffects.h"
#include "protocol/LightSetting.h"

namespace orvane {

inline constexpr uint8_t kCustomStaticMode = 20;
inline constexpr uint8_t kKeyboardOffMode = 21;
inline constexpr uint8_t kFirstCustomStepMode = 22;
// The product whose keyboard runs the other variant of mode 18.
inline constexpr uint16_t kRowSweepProductId = 0x1078;

enum class KeyEvent : uint8_t { kPress = 1, kRelease = 2 };

// A spreading ring of the reactive ripple (mode 9), from the cell of the key that started it.
struct KeyRipple {
    KeyCell origin;
    uint8_t radius = 0;
    bool active = false;
};

struct KeyEffectState {
    static constexpr size_t kMaxRipples = 8;

    PreviewAnimation animation;                       // position, colour index, blink
    std::array<uint8_t, kKeyboardKeyCount> level{};   // per-key intensity, phase or darkness
    std::array<uint8_t, kKeyboardKeyCount> hue{};     // per-key wheel index
    std::array<uint8_t, kKeyboardKeyCount> press{};   // 0 idle, 1 pressed, 2 released
    std::array<bool, kKeyboardKeyCount> customLit{};  // mode 20: the keys the pattern lights
    std::array<KeyRipple, kMaxRipples> ripples{};
    uint32_t random = 0x2545F491;  // xorshift state: the same start draws the same sparkle
    uint16_t productId = 0;

    uint32_t NextRandom();
};

struct KeyEffectContext {
    LightSetting& selection;
    KeyEffectState& state;
    LightFrame& frame;  // kKeyboardKeyCount lights
    uint32_t nowMs = 0;
};

using KeyRenderer = void (*)(KeyEffectContext&);
using KeyInitialiser = void (*)(KeyEffectState&);
using KeyPressHandler = void (*)(KeyEffectState&, size_t key, KeyEvent kind);

struct KeyboardLightMode {
    KeyRenderer render = nullptr;       // nullptr: the user effect's steps (modes 22 and above)
    KeyInitialiser enter = nullptr;
    KeyPressHandler onKey = nullptr;    // nullptr: key presses do not change the picture
};

// The mode's functions; every mode above 21 is a user effect.
const KeyboardLightMode& KeyboardLightModeOf(uint8_t mode);

// A key event of the keyboard's consumer collection: usage 0x0500 + slot is a press, 0x0600 +
// slot a release; nullopt for any other usage.
struct SlotEvent {
    size_t slot = 0;
    KeyEvent kind = KeyEvent::kPress;
};
std::optional<SlotEvent> SlotEventFromUsage(uint16_t usage);

// Clears the per-key effect state (presses, levels, hues, ripples, animation); the custom
// pattern and the product id stay.
void ClearKeyEffects(KeyEffectState& state);

}  // namespace orvane

#pragma once
// Which areas of the lighting panel are usable for a device kind and light mode, and the shared
// effects several device kinds can run together ("copy to every device"). Pure tables; the panel
// applies them to its controls by name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvane {

enum class LightArea : uint8_t {
    Effect,         // "lighteffect_layout"
    Colourful,      // "deng_7color_check"
    Colour,         // "deng_color_layout"
    Palette,        // "colorpallet_layout"
    Brightness,     // "deng_light_slider"
    Speed,          // "deng_speed_slider"
    Direction,      // "deng_fx_layout"
    BrightnessRow,  // "deng_light_layout"
    SpeedRow,       // "deng_speed_layout"
    OnOff,          // "deng_on_or_off"
    Custom,         // "lightcustom_layout"
    SameMode,       // "deng_same_mode"
};
inline constexpr size_t kLightAreaCount = static_cast<size_t>(LightArea::SameMode) + 1;

// The control name of an area.
const char* LightAreaName(LightArea area);

// What a rule says of one area; an unset half leaves the control as it is.
struct AreaState {
    std::optional<bool> enabled;
    std::optional<bool> visible;
    bool operator==(const AreaState&) const = default;
};

struct LightPanelLayout {
    std::array<AreaState, kLightAreaCount> areas{};
    // Language keys of the two direction options; null: unchanged.
    const char* rightText = nullptr;  // "deng_FXR_check"
    const char* leftText = nullptr;   // "deng_FXL_check"

    const AreaState& operator[](LightArea area) const { return areas[static_cast<size_t>(area)]; }
    AreaState& operator[](LightArea area) { return areas[static_cast<size_t>(area)]; }
};

// The rules of device kind `kind` (1 keyboard, 2 and 6 mouse, 3 pad, 7 headset) for `mode`;
// `syncLighting` makes the same-mode button visible where the kind offers it. Another kind
// changes nothing.
LightPanelLayout LightLayoutFor(int kind, int mode, bool syncLighting);

// The five effects every kind can run together: 0 breathing, 1 steady, 2 flashing, 3 colour
// cycle, 4 off.
inline constexpr int kCommonEffectCount = 5;
// The common effect of `mode` on a device of `kind`; nullopt when it has none.
std::optional<int> CommonEffectOfMode(int kind, int mode);
// The mode of `kind` that runs common effect `effect`; nullopt when the kind has none.
std::optional<int> ModeOfCommonEffect(int kind, int effect);

}  // namespace orvane

#include "light/LightPanelRules.h"

#include <iterator>
#include <utility>

#include "device/DeviceKind.h"

namespace orvane {
namespace {

constexpr const char* kAreaNames[kLightAreaCount] = {
    "lighteffect_layout", "deng_7color_check", "deng_color_layout",  "colorpallet_layout",
    "deng_light_slider",  "deng_speed_slider", "deng_fx_layout",     "deng_light_layout",
    "deng_speed_layout",  "deng_on_or_off",    "lightcustom_layout", "deng_same_mode",
};

constexpr AreaState kOn{true, std::nullopt};
constexpr AreaState kOff{false, std::nullopt};
constexpr AreaState kOffHidden{false, false};
constexpr AreaState kShown{std::nullopt, true};
constexpr AreaState kHidden{std::nullopt, false};

// One row of a table: effect, colourful check, colour, palette, brightness, speed.
struct Row {
    AreaState effect, colourful, colour, palette, brightness, speed;
};

void Apply(LightPanelLayout& layout, const Row& row) {
    layout[LightArea::Effect] = row.effect;
    layout[LightArea::Colourful] = row.colourful;
    layout[LightArea::Colour] = row.colour;
    layout[LightArea::Palette] = row.palette;
    layout[LightArea::Brightness] = row.brightness;
    layout[LightArea::Speed] = row.speed;
}

bool IsMouse(int kind) { return kind == kDeviceMouse || kind == kDeviceSlowLinkMouse; }

LightPanelLayout MouseLayout(int mode, bool sync) {
    LightPanelLayout l;
    l[LightArea::SameMode] = {std::nullopt, sync};
    // The mouse has no direction the user can choose.
    l[LightArea::Direction] = kOffHidden;
    l[LightArea::OnOff] = kHidden;
    l[LightArea::BrightnessRow] = kShown;
    l[LightArea::SpeedRow] = kHidden;
    switch (mode) {
        case 0: case 1: case 2: case 5: Apply(l, {kOn, kOff, kOff, kOff, kOn, kOn}); break;
        case 3: Apply(l, {kOn, kOn, kOn, kOn, kOn, kOn}); break;
        case 4: Apply(l, {kOn, kOff, kOff, kOn, kOn, kOff}); break;
        case 6:
            Apply(l, {kOn, kOff, kOff, kOff, kOn, kOn});
            l[LightArea::SpeedRow] = kShown;
            break;
        case 7: Apply(l, {kOn, kOff, kOff, kOff, kOffHidden, kOff}); break;
        case 8: Apply(l, {kOff, kOn, kOn, kOn, kOn, kOn}); break;
        default: Apply(l, {kOn, kOff, kOff, kOff, kOff, kOff}); break;
    }
    return l;
}

// The mouse pad and the headset share one table.
LightPanelLayout PadLayout(int mode, bool sync) {
    LightPanelLayout l;
    l[LightArea::SameMode] = kHidden;
    l[LightArea::Direction] = kOn;
    bool sameMode = true;
    switch (mode) {
        case 0:
            Apply(l, {kOn, kOn, kOn, kOn, kOn, kOn});
            l[LightArea::Direction] = kOn;
            sameMode = false;
            break;
        case 1: Apply(l, {kOn, kOff, kOff, kOff, kOn, kOn}); l[LightArea::Direction] = kOff; break;
        case 2: case 4: Apply(l, {kOn, kOn, kOn, kOn, kOn, kOn}); l[LightArea::Direction] = kOff; break;
        case 3: Apply(l, {kOn, kOff, kOn, kOn, kOn, kOff}); l[LightArea::Direction] = kOff; break;
        case 8: Apply(l, {kOn, kOff, kOff, kOff, kOff, kOff}); l[LightArea::Direction] = kOff; break;
        default:
            Apply(l, {kOn, kOff, kOff, kOff, kOff, kOff});
            l[LightArea::Direction] = kOff;
            sameMode = false;
            break;
    }
    if (sameMode) l[LightArea::SameMode] = {std::nullopt, sync};
    return l;
}

LightPanelLayout KeyboardLayout(int mode, bool sync) {
    LightPanelLayout l;
    l.rightText = "light_set_left_to_right_text";
    l.leftText = "light_set_right_to_left_text";
    l[LightArea::OnOff] = kHidden;
    l[LightArea::Custom] = kHidden;
    l[LightArea::SameMode] = kHidden;
    l[LightArea::Direction] = kHidden;
    l[LightArea::SpeedRow] = kShown;
    l[LightArea::BrightnessRow] = kShown;
    Apply(l, {kOn, kOff, kOff, kOff, kOn, kOn});
    const AreaState sameMode{std::nullopt, sync};
    switch (mode) {
        case 0: l[LightArea::Speed] = kOffHidden; l[LightArea::SameMode] = sameMode; break;
        case 1: l[LightArea::SameMode] = sameMode; break;
        case 2: l[LightArea::Speed] = kOffHidden; break;
        case 3: case 4: l[LightArea::Direction] = kShown; break;
        case 5:
            l[LightArea::Direction] = kShown;
            l.rightText = "light_set_up_to_down_text";
            l.leftText = "light_set_down_to_up_text";
            break;
        case 7:
            l[LightArea::Direction] = kShown;
            l.rightText = "light_set_anti_clock_text";
            l.leftText = "light_set_clockwise_text";
            break;
        case 8:
            l[LightArea::Direction] = kShown;
            l.rightText = "light_set_inside_to_outside_text";
            l.leftText = "light_set_outside_to_inside_text";
            break;
        case 20:
            l[LightArea::Speed] = kOffHidden;
            l[LightArea::OnOff] = kShown;
            l[LightArea::Custom] = kShown;
            break;
        case 21:
            l[LightArea::Brightness] = kOffHidden;
            l[LightArea::Speed] = kOffHidden;
            l[LightArea::SameMode] = sameMode;
            break;
        default:
            if (mode >= 22) {
                l[LightArea::Brightness] = kOff;
                l[LightArea::Speed] = kOff;
            }
            break;
    }
    return l;
}

// Mode → common effect of each kind; the reverse uses the same pairs.
constexpr std::pair<int, int> kKeyboardEffects[] = {{1, 0}, {0, 1}, {17, 2}, {21, 4}};
constexpr std::pair<int, int> kMouseEffects[] = {{6, 0}, {4, 1}, {3, 2}, {1, 3}, {7, 4}};
constexpr std::pair<int, int> kPadEffects[] = {{2, 0}, {3, 1}, {4, 2}, {1, 3}, {8, 4}};

const std::pair<int, int>* EffectsOf(int kind, size_t& count) {
    if (kind == kDeviceKeyboard) {
        count = std::size(kKeyboardEffects);
        return kKeyboardEffects;
    }
    if (IsMouse(kind)) {
        count = std::size(kMouseEffects);
        return kMouseEffects;
    }
    if (kind == kDeviceMousePad || kind == kDeviceHeadset) {
        count = std::size(kPadEffects);
        return kPadEffects;
    }
    count = 0;
    return nullptr;
}

}  // namespace

const char* LightAreaName(LightArea area) { return kAreaNames[static_cast<size_t>(area)]; }

LightPanelLayout LightLayoutFor(int kind, int mode, bool syncLighting) {
    if (kind == kDeviceKeyboard) return KeyboardLayout(mode, syncLighting);
    if (IsMouse(kind)) return MouseLayout(mode, syncLighting);
    if (kind == kDeviceMousePad || kind == kDeviceHeadset) return PadLayout(mode, syncLighting);
    return {};
}

std::optional<int> CommonEffectOfMode(int kind, int mode) {
    size_t count = 0;
    const auto* pairs = EffectsOf(kind, count);
    for (size_t i = 0; i < count; ++i) {
        if (pairs[i].first == mode) return pairs[i].second;
    }
    return std::nullopt;
}

std::optional<int> ModeOfCommonEffect(int kind, int effect) {
    size_t count = 0;
    const auto* pairs = EffectsOf(kind, count);
    for (size_t i = 0; i < count; ++i) {
        if (pairs[i].second == effect) return pairs[i].first;
    }
    return std::nullopt;
}

}  // namespace orvane

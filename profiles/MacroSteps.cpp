#include "profiles/MacroSteps.h"

#include <algorithm>
#include <cctype>

#include "protocol/KeyCodeTables.h"

namespace orvane {
namespace {

constexpr const char* kKeyboardStyle = "macro_label_keyboard_style";
constexpr const char* kMouseStyle = "macro_label_mouse_style";
constexpr const char* kDownStyle = "macro_label_down_style";
constexpr const char* kUpStyle = "macro_label_up_style";
constexpr const char* kMoveStyle = "macro_move_text_style";
constexpr const char* kTextStyle = "macro_label_text_style";

constexpr int kTypeMouseButton = 1;
constexpr int kTypeMoveX = 4;
constexpr int kTypeMoveY = 5;
constexpr int kTypeModifier = 9;
constexpr int kTypeKey = 10;

std::string KeyNameOfUsage(int usage) {
    const auto row = usage >= 0 && usage <= 0xFF ? FindKeyboardRowByUsage(static_cast<uint8_t>(usage)) : std::nullopt;
    return row ? KeyboardKeyRows()[static_cast<size_t>(*row)].nameKey : "";
}

std::string KeyNameOfModifier(int bit) {
    const auto row = bit > 0 && bit <= 0xFF ? FindModifierRow(static_cast<uint8_t>(bit)) : std::nullopt;
    return row ? KeyboardKeyRows()[static_cast<size_t>(*row)].nameKey : "";
}

std::string ButtonName(int bit) {
    for (int i = 0; i < kMacroMouseButtonRows; ++i) {
        const MacroMouseRow& row = MacroMouseRows()[static_cast<size_t>(i)];
        if (row.buttonBit == bit) return row.nameKey;
    }
    return {};
}

std::string MoveName(int type, bool down) {
    const int typeByte = type | (down ? 0x80 : 0);
    for (size_t i = kMacroMouseButtonRows; i < kMacroMouseButtonRows + 4u; ++i) {
        if (MacroMouseRows()[i].typeByte == typeByte) return MacroMouseRows()[i].nameKey;
    }
    return {};
}

// "Action" from bit 7 of the type byte, "Type" from the rest.
MacroEvent StepOf(uint8_t typeByte, int button, int fixedDelay) {
    return {(typeByte & 0x80) != 0 ? "down" : "up", button, typeByte & 0x7F, std::to_string(fixedDelay)};
}

bool KnownType(int type) { return type == 1 || type == 2 || type == 3 || type == 4 || type == 5 || type == 9 || type == 10; }

}  // namespace

StepLook LookOfStep(const MacroEvent& event) {
    StepLook look;
    look.actionStyle = event.IsDown() ? kDownStyle : kUpStyle;
    switch (event.Type) {
        case kTypeKey:
            look.nameStyle = kKeyboardStyle;
            look.nameKey = KeyNameOfUsage(event.Button);
            break;
        case kTypeModifier:
            look.nameStyle = kKeyboardStyle;
            look.nameKey = KeyNameOfModifier(event.Button);
            break;
        case kTypeMouseButton:
            look.nameStyle = kMouseStyle;
            look.nameKey = ButtonName(event.Button);
            break;
        case kTypeMoveX:
        case kTypeMoveY:
            look.nameStyle = kMouseStyle;
            look.actionStyle = kMoveStyle;
            look.nameKey = MoveName(event.Type, event.IsDown());
            look.actionText = std::to_string(event.Button);
            break;
        case 2:
        case 3:
            look.nameStyle = kMouseStyle;
            look.actionStyle = kTextStyle;
            break;
        default: look.actionStyle.clear(); break;
    }
    return look;
}

int ShownDelay(const MacroEvent& event) { return std::clamp(event.DelayMilliseconds(), 0, kMaxStepDelay); }

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string NextMacroName(const std::vector<std::string>& names) {
    for (int n = 1;; ++n) {
        const std::string name = "macro_" + std::to_string(n);
        if (std::none_of(names.begin(), names.end(), [&](const std::string& taken) { return SameNameIgnoringCase(taken, name); })) {
            return name;
        }
    }
}

std::optional<MacroEvent> InsertedMouseStep(unsigned message, int variant, int distance, int fixedDelay) {
    if (message == kMessagePointerMove) {
        if (variant < 0 || variant > 3) return std::nullopt;
        const MacroMouseRow& row = MacroMouseRows()[static_cast<size_t>(kMacroMouseButtonRows + variant)];
        return StepOf(row.typeByte, distance & 0xFF, fixedDelay);
    }
    if (message == kMessageXButtonDown || message == kMessageXButtonUp) {
        const uint8_t typeByte = message == kMessageXButtonDown ? 0x81 : 0x01;
        if (variant != 0 && variant != 1) return std::nullopt;
        return StepOf(typeByte, variant == 0 ? 16 : 8, fixedDelay);
    }
    for (int i = 0; i < 6; ++i) {
        const MacroMouseRow& row = MacroMouseRows()[static_cast<size_t>(i)];
        if (row.message == message) return StepOf(row.typeByte, row.buttonBit, fixedDelay);
    }
    return std::nullopt;
}

std::optional<MacroFile> CheckedMacroDocument(const Json::Value& root) {
    if (!root.isObject()) return std::nullopt;
    const Json::Value& events = root["Events"];
    if (!events.isNull() && !events.isArray()) return std::nullopt;
    if (events.size() > static_cast<Json::ArrayIndex>(kMaxMacroSteps)) return std::nullopt;
    MacroFile macro;
    for (const Json::Value& step : events) {
        if (!step.isObject() || !step["Type"].isIntegral() || !step["Button"].isIntegral()) return std::nullopt;
        if (!step["Action"].isString() || !(step["Delay"].isString() || step["Delay"].isIntegral())) return std::nullopt;
        MacroEvent event = MacroEventFromJson(step);
        if (!KnownType(event.Type) || (event.Action != "down" && event.Action != "up")) return std::nullopt;
        macro.Events.push_back(std::move(event));
    }
    if (root["Guid"].isString()) macro.Guid = root["Guid"].asString();
    if (root["MacroName"].isString()) macro.MacroName = root["MacroName"].asString();
    return macro;
}

}  // namespace orvane

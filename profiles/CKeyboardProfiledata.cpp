#include "profiles/CKeyboardProfiledata.h"

#include <algorithm>

#include "profiles/JsonFieldTable.h"

namespace orvane {

using json::JsonField;
using json::Member;
using json::MemberSlot;

namespace {

constexpr JsonField<KeyboardSystemSettings> kKeyboardSystemFields[] = {
    {"Repeat", &KeyboardSystemSettings::Repeat},
    {"RepeatDelay", &KeyboardSystemSettings::RepeatDelay},
    {"Key6Flag", &KeyboardSystemSettings::Key6Flag},
    {"PollingRate", &KeyboardSystemSettings::PollingRate},
    {"WFlag", &KeyboardSystemSettings::WFlag},
    {"WinFlag", &KeyboardSystemSettings::WinFlag},
};

constexpr JsonField<CustomLightColor> kCustomLightColorFields[] = {
    {"Red", &CustomLightColor::Red},
    {"Green", &CustomLightColor::Green},
    {"Blue", &CustomLightColor::Blue},
    {"Alpha", &CustomLightColor::Alpha},
};

bool IsHighlighted(Json::ArrayIndex key) {
    const auto& keys = CKeyboardProfiledata::kHighlightedKeys;
    return std::find(std::begin(keys), std::end(keys), static_cast<int>(key)) != std::end(keys);
}

bool ValidGroup(int group) { return group >= 0 && group < CKeyboardProfiledata::kMaxCustomLightGroups; }

CustomLightColor InitialColor(Json::ArrayIndex key) {
    return IsHighlighted(key) ? CustomLightColor{255, 0, 0, 255} : CustomLightColor{};
}

Json::Value ColorJson(const CustomLightColor& c) {
    Json::Value v(Json::objectValue);
    json::WriteFields(v, c, kCustomLightColorFields);
    return v;
}

}  // namespace

KeyboardSystemSettings CKeyboardProfiledata::GetKeyboardSystemSettings() const {
    KeyboardSystemSettings k;
    json::ReadFields(Section("SystemStages"), k, kKeyboardSystemFields);
    return k;
}

void CKeyboardProfiledata::SetKeyboardSystemSettings(uint32_t a, uint32_t b, uint32_t c) {
    systemWords_ = {a, b, c};
    json::WriteFields(MemberSlot(MutableDocument(), "SystemStages"), KeyboardSystemSettings::FromWords(a, b, c),
                      kKeyboardSystemFields);
}

KeyboardSystemSettings CKeyboardProfiledata::ReadWindowsKeyboardSettings(uint16_t systemRepeat,
                                                                         uint16_t systemRepeatDelay) const {
    KeyboardSystemSettings k = GetKeyboardSystemSettings();
    k.Repeat = systemRepeat;
    k.RepeatDelay = systemRepeatDelay;
    return k;
}

void CKeyboardProfiledata::SetCustomLightColors(int group, const std::vector<CustomLightColor>& colors) {
    if (!ValidGroup(group)) return;
    customColors_ = colors;
    Json::Value& groups = MemberSlot(MemberSlot(MutableDocument(), "CustomLightMode"), "LightColorInfo");
    Json::Value& keys = json::ElementSlot(groups, static_cast<Json::ArrayIndex>(group));
    for (Json::ArrayIndex k = 0; k < colors.size(); ++k) json::ElementSlot(keys, k) = ColorJson(colors[k]);
}

std::vector<CustomLightColor> CKeyboardProfiledata::GetCustomLightColors(int group, int count) {
    std::vector<CustomLightColor> result;
    if (!ValidGroup(group)) {
        customColors_ = result;
        return result;
    }
    auto n = static_cast<Json::ArrayIndex>(std::clamp(count, 0, kMaxCustomLightKeys));
    Json::Value& groups = MemberSlot(MemberSlot(MutableDocument(), "CustomLightMode"), "LightColorInfo");
    Json::Value& keys = json::ElementSlot(groups, static_cast<Json::ArrayIndex>(group));
    if (keys.isNull()) {
        for (Json::ArrayIndex k = 0; k < n; ++k) json::ElementSlot(keys, k) = ColorJson(InitialColor(k));
    } else {
        for (Json::ArrayIndex k = 0; k < n; ++k) {
            Json::Value& key = json::ElementSlot(keys, k);
            if (!key.isObject()) key = ColorJson(InitialColor(k));
            CustomLightColor color;
            json::ReadFields(key, color, kCustomLightColorFields);
            result.push_back(color);
        }
    }
    customColors_ = result;
    return result;
}

int CKeyboardProfiledata::GetCustomLightGroupIndex() const {
    return json::Int32Of(Member(Section("CustomLightMode"), "CustomLightModeGroupIndex"));
}

void CKeyboardProfiledata::SetCustomLightGroupIndex(int group) {
    MemberSlot(MemberSlot(MutableDocument(), "CustomLightMode"), "CustomLightModeGroupIndex") = group;
}

}  // namespace orvane

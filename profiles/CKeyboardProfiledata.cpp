#include "profiles/CKeyboardProfiledata.h"

#include <algorithm>

#include "profiles/JsonFields.h"

namespace orvane {

using json::ByteOf;
using json::Member;
using json::MemberSlot;
using json::WordOf;

namespace {

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
    v["Red"] = c.Red;
    v["Green"] = c.Green;
    v["Blue"] = c.Blue;
    v["Alpha"] = c.Alpha;
    return v;
}

}  // namespace

KeyboardSystemSettings CKeyboardProfiledata::GetKeyboardSystemSettings() const {
    const Json::Value& s = Section("SystemStages");
    KeyboardSystemSettings k;
    k.Repeat = WordOf(Member(s, "Repeat"));
    k.RepeatDelay = WordOf(Member(s, "RepeatDelay"));
    k.Key6Flag = WordOf(Member(s, "Key6Flag"));
    k.PollingRate = WordOf(Member(s, "PollingRate"));
    k.WFlag = WordOf(Member(s, "WFlag"));
    k.WinFlag = WordOf(Member(s, "WinFlag"));
    return k;
}

void CKeyboardProfiledata::SetKeyboardSystemSettings(uint32_t a, uint32_t b, uint32_t c) {
    systemWords_ = {a, b, c};
    KeyboardSystemSettings k = KeyboardSystemSettings::FromWords(a, b, c);
    Json::Value& s = MemberSlot(MutableDocument(), "SystemStages");
    MemberSlot(s, "Repeat") = k.Repeat;
    MemberSlot(s, "RepeatDelay") = k.RepeatDelay;
    MemberSlot(s, "Key6Flag") = k.Key6Flag;
    MemberSlot(s, "PollingRate") = k.PollingRate;
    MemberSlot(s, "WFlag") = k.WFlag;
    MemberSlot(s, "WinFlag") = k.WinFlag;
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
            result.push_back({ByteOf(Member(key, "Red")), ByteOf(Member(key, "Green")), ByteOf(Member(key, "Blue")),
                              ByteOf(Member(key, "Alpha"))});
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

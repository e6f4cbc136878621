#include "profiles/CBasicProfiledata.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "profiles/JsonFieldTable.h"
#include "profiles/ProfilePaths.h"

namespace orvane {

using json::Element;
using json::ElementSlot;
using json::FieldRule;
using json::JsonField;
using json::Member;
using json::MemberSlot;

namespace {

// A level or colour read from a file, kept within 0..`maximum`: the tables read members as their
// low 8 bits, which would wrap 300 round to 44. Not a number: `fallback`.
uint8_t ClampedByte(const Json::Value& value, int maximum, uint8_t fallback) {
    if (!value.isNumeric()) return fallback;
    return static_cast<uint8_t>(std::clamp<int64_t>(json::IntOf(value), 0, maximum));
}

void ClampLight(const Json::Value& object, LightSetting& light, const char* brightness, const char* speed,
                const char* const (&colour)[3], uint8_t colourFallback) {
    light.brightness = ClampedByte(Member(object, brightness), kMaxLightLevel, 0);
    light.speed = ClampedByte(Member(object, speed), kMaxLightLevel, 0);
    light.red = ClampedByte(Member(object, colour[0]), 255, colourFallback);
    light.green = ClampedByte(Member(object, colour[1]), 255, colourFallback);
    light.blue = ClampedByte(Member(object, colour[2]), 255, colourFallback);
}

// The colour is read apart (GetLightInfo): 255 stands in where a document has none.
constexpr JsonField<LightInfoRecord> kLightInfoFields[] = {
    {"SelectItem", &LightSetting::mode},
    {"Light", &LightSetting::brightness},
    {"Speed", &LightSetting::speed},
    {"Fx", &LightSetting::direction},
    {"MultiColor", &LightSetting::multiColor, FieldRule::kFlag},
    {"Red", &LightSetting::red, FieldRule::kWriteOnly},
    {"Green", &LightSetting::green, FieldRule::kWriteOnly},
    {"Blue", &LightSetting::blue, FieldRule::kWriteOnly},
};

constexpr JsonField<LightListEntry> kLightListFields[] = {
    {"LEDREGMode", &LightSetting::mode},
    {"LEDBrightness", &LightSetting::brightness},
    {"LEDSpeed", &LightSetting::speed},
    {"LEDDirection", &LightSetting::direction, FieldRule::kFlag},
    {"LEDMultiColor", &LightSetting::multiColor, FieldRule::kFlag},
    {"red", &LightSetting::red},
    {"green", &LightSetting::green},
    {"blue", &LightSetting::blue},
};

// Unlike "LightList", the direction and multicolour flags of a step are read as integers.
constexpr JsonField<LedEffectEntry> kLedEffectFields[] = {
    {"LEDREGMode", &LightSetting::mode},
    {"LEDBrightness", &LightSetting::brightness},
    {"LEDSpeed", &LightSetting::speed},
    {"LEDDirection", &LightSetting::direction},
    {"LEDMultiColor", &LightSetting::multiColor},
    {"red", &LightSetting::red},
    {"green", &LightSetting::green},
    {"blue", &LightSetting::blue},
    {"Time", &LedEffectEntry::Time},
    {"Cyle", &LedEffectEntry::Cyle},
};

// The key positions are the array's; the factory codes are never rewritten.
constexpr JsonField<KeyListEntry> kKeyListFields[] = {
    {"Assignment", &KeyListEntry::Assignment},
    {"DefaultAssignment", &KeyListEntry::DefaultAssignment, FieldRule::kReadOnly},
};

}  // namespace

void CBasicProfiledata::SetProfilePath(const std::string& path) {
    if (!path.empty()) profilePath_ = path;
}

void CBasicProfiledata::SetDefaultProfilePath(const std::string& path) {
    if (!path.empty()) defaultProfilePath_ = path;
}

void CBasicProfiledata::SetDeviceIndex(int index) {
    if (index >= 0 && index <= kMaxDeviceIndex) deviceIndex_ = index;
}

const Json::Value& CBasicProfiledata::Section(const char* name) const { return Member(document_, name); }

bool CBasicProfiledata::ReadProfileRoot(const std::string& path, Json::Value& root) const {
    JsonFileResult file = store_.ReadJsonChecked(path);
    root = Json::Value();
    bool broken = file.status == JsonFileStatus::kUnparsable || file.status == JsonFileStatus::kUnreadable ||
                  (file.status == JsonFileStatus::kParsed && !file.value.isObject());
    if (!broken) {
        root = std::move(file.value);
        return true;
    }
    // Kept aside so the caller can write a sound file in its place; left alone when it cannot be.
    return !store_.KeepAside(path).empty();
}

Json::Value CBasicProfiledata::LoadProfile(const std::string& path) {
    bool isDefault = path == defaultProfilePath_;
    Json::Value root;
    bool writable = false;
    if (isDefault) {
        root = store_.ReadJsonValue(path);
    } else {
        writable = ReadProfileRoot(path, root);
    }
    document_ = Element(Member(root, "Device"), Index());
    if (!document_.isObject()) {
        Json::Value defaults = store_.ReadJsonValue(defaultProfilePath_);
        document_ = Element(Member(defaults, "Device"), Index());
        if (!document_.isObject()) document_ = Json::Value();
        // Installation data is never written; an unreadable file that could not be moved aside
        // stays as it is.
        if (!isDefault && writable) {
            if (!root.isObject()) root = Json::Value(Json::objectValue);
            ElementSlot(MemberSlot(root, "Device"), Index()) = document_;
            store_.wirtejsonFile(path, root);
        }
    }
    return document_;
}

int CBasicProfiledata::SaveProfile() { return SaveProfileTo(document_, profilePath_); }

int CBasicProfiledata::SaveProfileTo(const Json::Value& value, const std::string& path) {
    Json::Value root;
    if (!ReadProfileRoot(path, root)) return 1;
    if (!root.isObject()) root = Json::Value(Json::objectValue);
    ElementSlot(MemberSlot(root, "Device"), Index()) = value;
    return store_.wirtejsonFile(path, root);
}

int CBasicProfiledata::WriteProfileFile(const Json::Value& value, const std::string& path) {
    return store_.wirtejsonFile(path, value);
}

Json::Value CBasicProfiledata::LoadLightConfig(const std::string& path) {
    lightConfig_ = store_.ReadJsonValue(path);
    auto slash = path.rfind('/');
    lightConfigFolder_ = slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
    return lightConfig_;
}

LightInfoRecord CBasicProfiledata::GetLightInfo() {
    const Json::Value& info = Section("LightInfo");
    LightInfoRecord r;
    if (info.isObject()) {
        json::ReadFields(info, r, kLightInfoFields);
        // The chosen colour is kept: it is what the settings block writes to the mouse.
        ClampLight(info, r.light, "Light", "Speed", {"Red", "Green", "Blue"}, 255);
    }
    lightInfo_ = r;
    return r;
}

void CBasicProfiledata::SetLightInfo(uint32_t a, uint32_t b, uint32_t c) {
    lightInfo_ = LightInfoRecord::FromWords(a, b, c);
    Json::Value info(Json::objectValue);
    json::WriteFields(info, lightInfo_, kLightInfoFields);
    MemberSlot(document_, "LightInfo") = std::move(info);
}

std::vector<LightListEntry> CBasicProfiledata::GetLightList() {
    std::vector<LightListEntry> list;
    const Json::Value& lights = Section("LightList");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(lights); ++i) {
        const Json::Value& e = lights[i];
        LightListEntry entry;
        if (!e.isNull()) {
            json::ReadFields(e, entry, kLightListFields);
            entry.present = 1;
        }
        list.push_back(entry);
    }
    lightList_ = list;
    return list;
}

std::vector<LedEffectEntry> CBasicProfiledata::GetLedEffectList() { return GetLedEffectList(Index(), lightInfo_.light.mode); }

std::vector<LedEffectEntry> CBasicProfiledata::GetLedEffectList(int group, int entryIndex) {
    std::vector<LedEffectEntry> list;
    if (!lightConfig_.isNull() && group >= 0 && entryIndex >= 0) {
        const Json::Value& entry = Element(Element(Member(lightConfig_, "LightInfo"), static_cast<Json::ArrayIndex>(group)),
                                           static_cast<Json::ArrayIndex>(entryIndex));
        std::string guid = json::TextOf(Member(entry, "Guid"));
        // The name comes from a file: it may only name a file beside the light configuration.
        if (auto path = FileInFolder(lightConfigFolder_, guid, kLightEffectExtension)) {
            Json::Value effect = store_.ReadJsonValue(*path);
            const Json::Value& steps = Member(effect, "LEDEffectList");
            for (Json::ArrayIndex i = 0; i < json::ArraySize(steps); ++i) {
                LedEffectEntry step;
                json::ReadFields(steps[i], step, kLedEffectFields);
                ClampLight(steps[i], step.light, "LEDBrightness", "LEDSpeed", {"red", "green", "blue"}, 0);
                step.Time = std::max(step.Time, 0);
                list.push_back(step);
            }
        } else if (!guid.empty()) {
            DebugLog("profile: ignoring light effect name " + guid);
        }
    }
    ledEffects_ = list;
    return list;
}

std::vector<KeyListEntry> CBasicProfiledata::GetKeyList() {
    std::vector<KeyListEntry> list;
    const Json::Value& keys = Section("KeyList");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(keys); ++i) {
        KeyListEntry entry;
        entry.KeyIndex = entry.DefaultKeyIndex = static_cast<uint16_t>(i);
        json::ReadFields(keys[i], entry, kKeyListFields);
        list.push_back(entry);
    }
    keyList_ = list;
    return list;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyListEntry>& keys) {
    keyList_ = keys;
    Json::Value& list = MemberSlot(document_, "KeyList");
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        json::WriteFields(ElementSlot(list, i), keys[i], kKeyListFields);
    }
}

}  // namespace orvane

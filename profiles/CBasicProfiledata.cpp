#include "profiles/CBasicProfiledata.h"

#include "platform/DebugLog.h"
#include "profiles/JsonFields.h"
#include "profiles/ProfilePaths.h"

namespace orvane {

using json::BoolOf;
using json::ByteOf;
using json::Element;
using json::ElementSlot;
using json::Member;
using json::MemberSlot;

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
        r.SelectItem = ByteOf(Member(info, "SelectItem"));
        r.Light = ByteOf(Member(info, "Light"));
        r.Speed = ByteOf(Member(info, "Speed"));
        r.Fx = ByteOf(Member(info, "Fx"));
        r.MultiColor = BoolOf(Member(info, "MultiColor")) ? 1 : 0;
        // The device holds the colour; the document's is not taken.
        r.Red = r.Green = r.Blue = 255;
    }
    lightInfo_ = r;
    return r;
}

void CBasicProfiledata::SetLightInfo(uint32_t a, uint32_t b, uint32_t c) {
    lightInfo_ = LightInfoRecord::FromWords(a, b, c);
    auto byte = [](uint32_t word, int shift) { return static_cast<Json::Int>((word >> shift) & 0xFF); };
    Json::Value info(Json::objectValue);
    info["SelectItem"] = byte(a, 0);
    info["Light"] = byte(a, 8);
    info["Speed"] = byte(a, 16);
    info["MultiColor"] = byte(b, 0);
    info["Red"] = byte(b, 8);
    info["Green"] = byte(b, 16);
    info["Blue"] = byte(b, 24);
    info["Fx"] = byte(a, 24);
    MemberSlot(document_, "LightInfo") = std::move(info);
}

std::vector<LightListEntry> CBasicProfiledata::GetLightList() {
    std::vector<LightListEntry> list;
    const Json::Value& lights = Section("LightList");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(lights); ++i) {
        const Json::Value& e = lights[i];
        LightListEntry entry;
        if (!e.isNull()) {
            entry.LEDREGMode = ByteOf(Member(e, "LEDREGMode"));
            entry.LEDBrightness = ByteOf(Member(e, "LEDBrightness"));
            entry.LEDSpeed = ByteOf(Member(e, "LEDSpeed"));
            entry.LEDDirection = BoolOf(Member(e, "LEDDirection")) ? 1 : 0;
            entry.LEDMultiColor = BoolOf(Member(e, "LEDMultiColor")) ? 1 : 0;
            entry.red = ByteOf(Member(e, "red"));
            entry.green = ByteOf(Member(e, "green"));
            entry.blue = ByteOf(Member(e, "blue"));
            entry.present = 1;
        }
        list.push_back(entry);
    }
    lightList_ = list;
    return list;
}

std::vector<LedEffectEntry> CBasicProfiledata::GetLedEffectList() {
    std::vector<LedEffectEntry> list;
    if (!lightConfig_.isNull()) {
        const Json::Value& entry =
            Element(Element(Member(lightConfig_, "LightInfo"), Index()), lightInfo_.SelectItem);
        std::string guid = json::TextOf(Member(entry, "Guid"));
        // The name comes from a file: it may only name a file beside the light configuration.
        if (auto path = FileInFolder(lightConfigFolder_, guid, kLightEffectExtension)) {
            Json::Value effect = store_.ReadJsonValue(*path);
            const Json::Value& steps = Member(effect, "LEDEffectList");
            for (Json::ArrayIndex i = 0; i < json::ArraySize(steps); ++i) {
                const Json::Value& s = steps[i];
                LedEffectEntry e;
                e.LEDREGMode = ByteOf(Member(s, "LEDREGMode"));
                e.LEDDirection = ByteOf(Member(s, "LEDDirection"));
                e.LEDBrightness = ByteOf(Member(s, "LEDBrightness"));
                e.LEDSpeed = ByteOf(Member(s, "LEDSpeed"));
                e.LEDMultiColor = ByteOf(Member(s, "LEDMultiColor"));
                e.red = ByteOf(Member(s, "red"));
                e.green = ByteOf(Member(s, "green"));
                e.blue = ByteOf(Member(s, "blue"));
                e.Time = json::Int32Of(Member(s, "Time"));
                e.Cyle = json::Int32Of(Member(s, "Cyle"));
                list.push_back(e);
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
        entry.Assignment = UnpackAssignment(json::IntOf(Member(keys[i], "Assignment")));
        entry.DefaultAssignment = UnpackAssignment(json::IntOf(Member(keys[i], "DefaultAssignment")));
        list.push_back(entry);
    }
    keyList_ = list;
    return list;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyListEntry>& keys) {
    keyList_ = keys;
    Json::Value& list = MemberSlot(document_, "KeyList");
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        MemberSlot(ElementSlot(list, i), "Assignment") = static_cast<Json::Int>(PackAssignment(keys[i].Assignment));
    }
}

}  // namespace orvane

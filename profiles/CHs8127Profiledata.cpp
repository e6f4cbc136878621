#include "profiles/CHs8127Profiledata.h"

#include "profiles/JsonFieldTable.h"

namespace orvane {

using json::Int32Of;
using json::JsonField;
using json::Member;
using json::MemberSlot;

namespace {

constexpr JsonField<HeadsetSystemSettings> kHeadsetSystemFields[] = {
    {"MagicEnable", &HeadsetSystemSettings::MagicEnable},
    {"MagicType", &HeadsetSystemSettings::MagicType},
    {"EqType", &HeadsetSystemSettings::EqType},
    {"CustomEqSeletIndex", &HeadsetSystemSettings::CustomEqSeletIndex},
    {"MicInSelect", &HeadsetSystemSettings::MicInSelect},
    {"MicInValue", &HeadsetSystemSettings::MicInValue},
    {"MicMoniterSelect", &HeadsetSystemSettings::MicMoniterSelect},
    {"MicMoniterValue", &HeadsetSystemSettings::MicMoniterValue},
};

int PresetIndex(int preset) { return (preset <= 0 || preset > CHs8127Profiledata::kCustomEqType) ? 1 : preset; }

bool ValidCustomIndex(int index) { return index >= 0 && index < CHs8127Profiledata::kMaxCustomEqualisers; }

void WriteBands(Json::Value& table, int row, const EqBandValues& bands) {
    Json::Value& list = json::ElementSlot(table, static_cast<Json::ArrayIndex>(row));
    for (Json::ArrayIndex b = 0; b < kEqBandCount; ++b) {
        MemberSlot(json::ElementSlot(list, b), "value") = bands[b];
    }
}

EqBandValues ReadBands(Json::Value& table, int row) {
    Json::Value& list = json::ElementSlot(table, static_cast<Json::ArrayIndex>(row));
    EqBandValues bands{};
    for (Json::ArrayIndex b = 0; b < kEqBandCount; ++b) {
        Json::Value& value = MemberSlot(json::ElementSlot(list, b), "value");
        if (value.isNull()) value = 0;
        bands[b] = Int32Of(value);
    }
    return bands;
}

}  // namespace

void CHs8127Profiledata::SetHeadsetSystemSettings(const HeadsetSystemSettings& h) {
    systemSettings_ = h;
    json::WriteFields(MemberSlot(MutableDocument(), "SystemSetStages"), h, kHeadsetSystemFields);
}

HeadsetSystemSettings CHs8127Profiledata::GetHeadsetSystemSettings() const {
    HeadsetSystemSettings h;
    json::ReadFields(Section("SystemSetStages"), h, kHeadsetSystemFields);
    return h;
}

void CHs8127Profiledata::SetEqBands(int preset, const EqBandValues& bands) {
    int row = PresetIndex(preset);
    if (row == kCustomEqType) return;
    eqBands_ = bands;
    WriteBands(MemberSlot(MutableDocument(), "EQHzValueInfo"), row, bands);
}

std::optional<EqBandValues> CHs8127Profiledata::GetEqBands(int preset) {
    int row = PresetIndex(preset);
    if (row == kCustomEqType) return std::nullopt;
    eqBands_ = ReadBands(MemberSlot(MutableDocument(), "EQHzValueInfo"), row);
    return eqBands_;
}

void CHs8127Profiledata::SetCustomEqNames(const std::vector<std::string>& names) {
    Json::Value list(Json::arrayValue);
    for (const auto& name : names) {
        Json::Value entry(Json::objectValue);
        entry["Name"] = ToProfileText(name);
        list.append(std::move(entry));
    }
    MemberSlot(MutableDocument(), "CustomEQNameInfo") = std::move(list);
}

std::vector<std::string> CHs8127Profiledata::GetCustomEqNames() const {
    std::vector<std::string> names;
    const Json::Value& list = Section("CustomEQNameInfo");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(list); ++i) {
        names.push_back(FromProfileText(json::TextOf(Member(list[i], "Name"))));
    }
    return names;
}

void CHs8127Profiledata::SetCustomEqBands(int index, const EqBandValues& bands) {
    if (!ValidCustomIndex(index)) return;
    eqBands_ = bands;
    WriteBands(MemberSlot(MutableDocument(), "CustomEQHzValueInfo"), index, bands);
}

std::optional<EqBandValues> CHs8127Profiledata::GetCustomEqBands(int index) {
    if (!ValidCustomIndex(index)) return std::nullopt;
    eqBands_ = ReadBands(MemberSlot(MutableDocument(), "CustomEQHzValueInfo"), index);
    return eqBands_;
}

}  // namespace orvane

#include "profiles/CMouseProfiledata.h"

#include "profiles/JsonFieldTable.h"

namespace orvane {

using json::FieldRule;
using json::JsonField;
using json::Member;
using json::MemberSlot;

namespace {

constexpr JsonField<DpiStage> kDpiStageFields[] = {
    {"StageActive", &DpiStage::StageActive},
    {"StageXY", &DpiStage::StageXY},
    {"StageDPIX", &DpiStage::StageDPIX},
    {"StageDPIY", &DpiStage::StageDPIY},
    {"StageColorR", &DpiStage::StageColorR},
    {"StageColorG", &DpiStage::StageColorG},
    {"StageColorB", &DpiStage::StageColorB},
};

// Keys in three sections of the document: the pointer settings, then the chosen report-rate and
// lift-off stages.
constexpr const char* kSystemStages = "SystemStages";
constexpr JsonField<MouseSystemSettings> kMouseSystemFields[] = {
    {{kSystemStages, "DoubleClickTime"}, &MouseSystemSettings::DoubleClickTime},
    {{kSystemStages, "MouseSpeed"}, &MouseSystemSettings::MouseSpeed},
    {{kSystemStages, "PointerPrecision"}, &MouseSystemSettings::PointerPrecision},
    {{kSystemStages, "ScorllPage"}, &MouseSystemSettings::ScorllPage},
    {{kSystemStages, "WheelScorlllinse"}, &MouseSystemSettings::WheelScorlllinse},
    {{"ReportStages", "StageActive"}, &MouseSystemSettings::ReportStage},
    {{"HeightStages", "StageActive"}, &MouseSystemSettings::HeightStage, FieldRule::kByte},
};

constexpr JsonField<CorrectInfoEntry> kCorrectInfoFields[] = {
    {"CorrectPixThresh", &CorrectInfoEntry::CorrectPixThresh},
    {"CorrectMinSq", &CorrectInfoEntry::CorrectMinSq},
    {"CorrectSelect", &CorrectInfoEntry::CorrectSelect},
    {"CorrectName", &CorrectInfoEntry::CorrectName},
};

}  // namespace

std::vector<DpiStage> CMouseProfiledata::GetDpiStages() {
    const Json::Value& section = Section("DPIStages");
    if (section.isObject()) {
        activeDpiStage_ = json::Int32Of(Member(section, "StageActive"));
        const Json::Value& stages = Member(section, "StageDPIs");
        for (Json::ArrayIndex i = 0; i < json::ArraySize(stages); ++i) {
            DpiStage stage;
            json::ReadFields(stages[i], stage, kDpiStageFields);
            if (i < dpiStages_.size()) {
                dpiStages_[i] = stage;
            } else {
                dpiStages_.push_back(stage);
            }
        }
    }
    return dpiStages_;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStage>& stages) {
    dpiStages_ = stages;
    Json::Value& list = MemberSlot(MemberSlot(MutableDocument(), "DPIStages"), "StageDPIs");
    for (Json::ArrayIndex i = 0; i < stages.size(); ++i) {
        json::WriteFields(json::ElementSlot(list, i), stages[i], kDpiStageFields);
    }
}

void CMouseProfiledata::SetActiveDpiStage(int stage) {
    activeDpiStage_ = stage;
    MemberSlot(MemberSlot(MutableDocument(), "DPIStages"), "StageActive") = stage;
}

MouseSystemSettings CMouseProfiledata::GetMouseSystemSettings() const {
    MouseSystemSettings s;
    // Without the pointer settings the stages are not taken either.
    if (!Section(kSystemStages).isObject()) return s;
    json::ReadFields(Document(), s, kMouseSystemFields);
    return s;
}

void CMouseProfiledata::SetMouseSystemSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    systemSettings_ = MouseSystemSettings::FromWords(a, b, c, d);
    json::WriteFields(MutableDocument(), systemSettings_, kMouseSystemFields);
}

void CMouseProfiledata::SetMouseSystemSettings(const MouseSystemSettings& settings) {
    MouseSystemWords w = settings.ToWords();
    SetMouseSystemSettings(w.a, w.b, w.c, w.d);
}

uint16_t DoubleClickLevelFromTime(int milliseconds) {
    uint32_t time = static_cast<uint32_t>(milliseconds);
    return static_cast<uint16_t>(10u - (time - 200u) / 70u);
}

MouseSystemSettings CMouseProfiledata::ReadWindowsMouseSettings(const SystemMouseSettings& system) {
    MouseSystemSettings stored = GetMouseSystemSettings();
    MouseSystemSettings s;
    s.ReportStage = stored.ReportStage;
    s.HeightStage = stored.HeightStage;
    s.DoubleClickTime = DoubleClickLevelFromTime(system.DoubleClickTime());
    s.MouseSpeed = static_cast<uint16_t>(system.PointerSpeed());
    s.PointerPrecision = system.PointerPrecision() ? 1 : 0;
    int lines = system.WheelScrollLines();
    s.ScorllPage = lines == kWheelPageScroll ? 1 : 0;
    s.WheelScorlllinse = static_cast<uint16_t>(lines);
    systemSettings_ = s;
    return s;
}

std::vector<CorrectInfoEntry> CMouseProfiledata::GetCorrectInfo() {
    std::vector<CorrectInfoEntry> list;
    const Json::Value& entries = Section("CorrectInfo");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(entries); ++i) {
        CorrectInfoEntry entry;
        json::ReadFields(entries[i], entry, kCorrectInfoFields);
        list.push_back(std::move(entry));
    }
    correctInfo_ = list;
    return list;
}

}  // namespace orvane

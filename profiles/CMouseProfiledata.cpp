#include "profiles/CMouseProfiledata.h"

#include "profiles/JsonFields.h"

namespace orvane {

using json::ByteOf;
using json::Member;
using json::MemberSlot;
using json::WordOf;

std::vector<DpiStage> CMouseProfiledata::GetDpiStages() {
    const Json::Value& section = Section("DPIStages");
    if (section.isObject()) {
        activeDpiStage_ = json::Int32Of(Member(section, "StageActive"));
        const Json::Value& stages = Member(section, "StageDPIs");
        for (Json::ArrayIndex i = 0; i < json::ArraySize(stages); ++i) {
            const Json::Value& s = stages[i];
            DpiStage stage;
            stage.StageActive = ByteOf(Member(s, "StageActive"));
            stage.StageXY = ByteOf(Member(s, "StageXY"));
            stage.StageDPIX = WordOf(Member(s, "StageDPIX"));
            stage.StageDPIY = WordOf(Member(s, "StageDPIY"));
            stage.StageColorR = ByteOf(Member(s, "StageColorR"));
            stage.StageColorG = ByteOf(Member(s, "StageColorG"));
            stage.StageColorB = ByteOf(Member(s, "StageColorB"));
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
        Json::Value& s = json::ElementSlot(list, i);
        MemberSlot(s, "StageActive") = stages[i].StageActive;
        MemberSlot(s, "StageXY") = stages[i].StageXY;
        MemberSlot(s, "StageDPIX") = stages[i].StageDPIX;
        MemberSlot(s, "StageDPIY") = stages[i].StageDPIY;
        MemberSlot(s, "StageColorR") = stages[i].StageColorR;
        MemberSlot(s, "StageColorG") = stages[i].StageColorG;
        MemberSlot(s, "StageColorB") = stages[i].StageColorB;
    }
}

void CMouseProfiledata::SetActiveDpiStage(int stage) {
    activeDpiStage_ = stage;
    MemberSlot(MemberSlot(MutableDocument(), "DPIStages"), "StageActive") = stage;
}

MouseSystemSettings CMouseProfiledata::GetMouseSystemSettings() const {
    MouseSystemSettings s;
    const Json::Value& system = Section("SystemStages");
    if (!system.isObject()) return s;
    s.DoubleClickTime = WordOf(Member(system, "DoubleClickTime"));
    s.MouseSpeed = WordOf(Member(system, "MouseSpeed"));
    s.PointerPrecision = WordOf(Member(system, "PointerPrecision"));
    s.ScorllPage = WordOf(Member(system, "ScorllPage"));
    s.WheelScorlllinse = WordOf(Member(system, "WheelScorlllinse"));
    s.ReportStage = WordOf(Member(Section("ReportStages"), "StageActive"));
    s.HeightStage = ByteOf(Member(Section("HeightStages"), "StageActive"));
    return s;
}

void CMouseProfiledata::SetMouseSystemSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    systemSettings_ = MouseSystemSettings::FromWords(a, b, c, d);
    Json::Value& doc = MutableDocument();
    Json::Value& system = MemberSlot(doc, "SystemStages");
    const MouseSystemSettings& s = systemSettings_;
    MemberSlot(system, "DoubleClickTime") = s.DoubleClickTime;
    MemberSlot(system, "MouseSpeed") = s.MouseSpeed;
    MemberSlot(system, "PointerPrecision") = s.PointerPrecision;
    MemberSlot(system, "ScorllPage") = s.ScorllPage;
    MemberSlot(system, "WheelScorlllinse") = s.WheelScorlllinse;
    MemberSlot(MemberSlot(doc, "ReportStages"), "StageActive") = s.ReportStage;
    MemberSlot(MemberSlot(doc, "HeightStages"), "StageActive") = s.HeightStage;
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
        const Json::Value& e = entries[i];
        CorrectInfoEntry entry;
        entry.CorrectPixThresh = ByteOf(Member(e, "CorrectPixThresh"));
        entry.CorrectMinSq = ByteOf(Member(e, "CorrectMinSq"));
        entry.CorrectSelect = ByteOf(Member(e, "CorrectSelect"));
        entry.CorrectName = FromProfileText(json::TextOf(Member(e, "CorrectName")));
        list.push_back(std::move(entry));
    }
    correctInfo_ = list;
    return list;
}

}  // namespace orvane

#include "profiles/ShootPatternFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/AtomicFile.h"
#include "profiles/JsonFields.h"
#include "profiles/JsonFileStore.h"

namespace orvane {
namespace {

constexpr int kPressDelayMs = 10;
constexpr int kMoveDelayMs = 5;
constexpr int kButtonType = 1;
constexpr int kHorizontalType = 4;
constexpr int kVerticalType = 5;
constexpr int kLeftButtonBit = 1;

int Clamped(const Json::Value& value, int maximum) {
    return static_cast<int>(std::clamp<int64_t>(json::IntOf(value), 0, maximum));
}

bool IsDown(const Json::Value& step) {
    std::string action = json::TextOf(json::Member(step, "Action"));
    std::transform(action.begin(), action.end(), action.begin(), [](unsigned char c) { return std::tolower(c); });
    return action == "down";
}

Json::Value Step(const char* action, int button, int delay, int type) {
    Json::Value step(Json::objectValue);
    step["Action"] = action;
    step["Button"] = button;
    step["Delay"] = delay;
    step["Type"] = type;
    return step;
}

int ClampIndex(int value, int count) { return std::clamp(value, 0, count - 1); }

}  // namespace

std::string ShootPatternFileName(int pattern) { return "ShootData_" + std::to_string(pattern) + ".Shoot"; }

ShotValues ReadShot(const Json::Value& document, int shot) {
    const Json::Value& events = json::Member(document, "Events");
    const auto first = static_cast<Json::ArrayIndex>(ClampIndex(shot, kShotCount) * kStepsPerShot);
    const Json::Value& horizontal = json::Element(events, first + 2);
    const Json::Value& vertical = json::Element(events, first + 3);
    ShotValues v;
    v.left = IsDown(horizontal);
    v.x = Clamped(json::Member(horizontal, "Button"), kMaxShotDistance);
    v.up = IsDown(vertical);
    v.y = Clamped(json::Member(vertical, "Button"), kMaxShotDistance);
    v.pauseMs = Clamped(json::Member(vertical, "Delay"), kMaxShotPauseMs);
    return v;
}

void WriteShot(Json::Value& document, int shot, const ShotValues& values) {
    if (!document.isObject()) document = Json::Value(Json::objectValue);
    Json::Value& events = document["Events"];
    if (!events.isArray()) events = Json::Value(Json::arrayValue);
    const auto first = static_cast<Json::ArrayIndex>(ClampIndex(shot, kShotCount) * kStepsPerShot);
    events[first] = Step("down", kLeftButtonBit, kPressDelayMs, kButtonType);
    events[first + 1] = Step("up", kLeftButtonBit, 0, kButtonType);
    events[first + 2] = Step(values.left ? "down" : "up", std::clamp(values.x, 0, kMaxShotDistance), kMoveDelayMs,
                             kHorizontalType);
    events[first + 3] = Step(values.up ? "down" : "up", std::clamp(values.y, 0, kMaxShotDistance),
                             std::clamp(values.pauseMs, 0, kMaxShotPauseMs), kVerticalType);
}

bool IsCompletePattern(const Json::Value& document) {
    const Json::Value& events = json::Member(document, "Events");
    if (!document.isObject() || !events.isArray() || events.size() < kShotCount * kStepsPerShot) return false;
    for (Json::ArrayIndex i = 0; i < kShotCount * kStepsPerShot; ++i) {
        if (!events[i].isObject()) return false;
    }
    return true;
}

Json::Value ShootPatternFiles::Pattern(int pattern) const {
    pattern = ClampIndex(pattern, kShootPatternCount);
    const JsonFileStore store;
    const JsonFileResult user = store.ReadJsonChecked(UserPath(pattern));
    // Only a user file with nothing in it gives way to the factory copy; a broken one reads as null.
    if (user.status != JsonFileStatus::kNoContent) return user.value;
    return store.ReadJsonValue(FactoryPath(pattern));
}

ShotValues ShootPatternFiles::Shot(int pattern, int shot) const { return ReadShot(Pattern(pattern), shot); }

bool ShootPatternFiles::SaveShot(int pattern, int shot, const ShotValues& values) const {
    const std::string path = UserPath(ClampIndex(pattern, kShootPatternCount));
    const JsonFileStore store;
    Json::Value document = Pattern(pattern);
    WriteShot(document, shot, values);
    std::error_code ignored;
    std::filesystem::create_directories(userFolder_, ignored);
    return store.wirtejsonFile(path, document) == 0;
}

bool ShootPatternFiles::ResetPattern(int pattern) const {
    pattern = ClampIndex(pattern, kShootPatternCount);
    // A missing factory file gives empty text, and the pattern then reads as missing.
    const std::string factory = JsonFileStore().readjsonFile(FactoryPath(pattern));
    std::error_code ignored;
    std::filesystem::create_directories(userFolder_, ignored);
    return WriteFileAtomically(UserPath(pattern), factory);
}

bool ShootPatternFiles::ExportPattern(int pattern, const std::string& path) const {
    pattern = ClampIndex(pattern, kShootPatternCount);
    const JsonFileStore store;
    std::string text = store.readjsonFile(UserPath(pattern));
    if (text.empty()) text = store.readjsonFile(FactoryPath(pattern));
    return !text.empty() && WriteFileAtomically(path, text);
}

std::optional<bool> ShootPatternFiles::ImportPattern(int pattern, const std::string& path) const {
    const JsonFileStore store;
    const std::string text = store.readjsonFile(path);
    Json::Value document;
    if (!ParseJsonText(text, document) || !IsCompletePattern(document)) return std::nullopt;
    std::error_code ignored;
    std::filesystem::create_directories(userFolder_, ignored);
    return WriteFileAtomically(UserPath(ClampIndex(pattern, kShootPatternCount)), text);
}

}  // namespace orvane

#include "profiles/ProfileDocumentCheck.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "profiles/JsonFields.h"

namespace orvane {
namespace {

enum class Kind { kInteger, kFlag, kText, kObject, kArray };

struct Member;

struct Shape {
    Kind kind;
    int64_t min = 0;  // kInteger
    int64_t max = 0;
    std::vector<Member> members;           // kObject: the members the readers know
    std::shared_ptr<const Shape> element;  // kArray: every element
};

struct Member {
    const char* key;
    Shape shape;
};

Shape Integer(int64_t min, int64_t max) { return {Kind::kInteger, min, max, {}, nullptr}; }
Shape Byte() { return Integer(0, 0xFF); }
Shape Word() { return Integer(0, 0xFFFF); }
Shape Int32() { return Integer(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()); }
// Booleans, or the byte a flag is written from.
Shape Flag() { return {Kind::kFlag, 0, 0xFF, {}, nullptr}; }
Shape Text() { return {Kind::kText, 0, 0, {}, nullptr}; }
Shape Object(std::vector<Member> members) { return {Kind::kObject, 0, 0, std::move(members), nullptr}; }
Shape ArrayOf(Shape element) { return {Kind::kArray, 0, 0, {}, std::make_shared<const Shape>(std::move(element))}; }

// Members of one object that all have the same shape.
std::vector<Member> All(std::initializer_list<const char*> keys, const Shape& shape) {
    std::vector<Member> members;
    for (const char* key : keys) members.push_back({key, shape});
    return members;
}

std::vector<Member> Joined(std::vector<Member> a, const std::vector<Member>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The sections of every device kind (basic, mouse, keyboard, headset) in one document shape:
// a section belongs to one kind only, except "SystemStages", whose mouse and keyboard members differ.
const Shape& DocumentShape() {
    static const Shape shape = [] {
        const Shape keyCode = Integer(0, 0xFFFFFF);
        const Shape bands = ArrayOf(ArrayOf(Object({{"value", Int32()}})));
        return Object({
            {"LightInfo", Object(Joined(All({"SelectItem", "Light", "Speed", "Fx", "Red", "Green", "Blue"}, Byte()),
                                        {{"MultiColor", Flag()}}))},
            {"LightList", ArrayOf(Object(Joined(All({"LEDREGMode", "LEDBrightness", "LEDSpeed", "red", "green", "blue"}, Byte()),
                                                All({"LEDDirection", "LEDMultiColor"}, Flag()))))},
            {"KeyList", ArrayOf(Object(All({"Assignment", "DefaultAssignment"}, keyCode)))},
            {"DPIStages",
             Object({{"StageActive", Byte()},
                     {"StageDPIs", ArrayOf(Object(Joined(All({"StageActive", "StageXY", "StageColorR", "StageColorG", "StageColorB"}, Byte()),
                                                         All({"StageDPIX", "StageDPIY"}, Word()))))}})},
            {"SystemStages", Object(All({"DoubleClickTime", "MouseSpeed", "PointerPrecision", "ScorllPage", "WheelScorlllinse",
                                         "Repeat", "RepeatDelay", "Key6Flag", "PollingRate", "WFlag", "WinFlag"},
                                        Word()))},
            {"ReportStages", Object({{"StageActive", Word()}})},
            {"HeightStages", Object({{"StageActive", Byte()}})},
            {"CorrectInfo", ArrayOf(Object(Joined(All({"CorrectPixThresh", "CorrectMinSq", "CorrectSelect"}, Byte()),
                                                  {{"CorrectName", Text()}})))},
            {"CustomLightMode",
             Object({{"CustomLightModeGroupIndex", Int32()},
                     {"LightColorInfo", ArrayOf(ArrayOf(Object(All({"Red", "Green", "Blue", "Alpha"}, Byte()))))}})},
            {"SystemSetStages", Object(All({"MagicEnable", "MagicType", "EqType", "CustomEqSeletIndex", "MicInSelect",
                                            "MicInValue", "MicMoniterSelect", "MicMoniterValue"},
                                           Int32()))},
            {"EQHzValueInfo", bands},
            {"CustomEQNameInfo", ArrayOf(Object({{"Name", Text()}}))},
            {"CustomEQHzValueInfo", bands},
        });
    }();
    return shape;
}

bool InRange(const Json::Value& value, int64_t min, int64_t max) {
    if (!value.isIntegral()) return false;
    if (value.isUInt64() && !value.isInt64()) return false;  // above every range here
    const int64_t v = value.asInt64();
    return v >= min && v <= max;
}

std::string Expected(const Shape& shape) {
    switch (shape.kind) {
        case Kind::kInteger:
            return "a whole number from " + std::to_string(shape.min) + " to " + std::to_string(shape.max);
        case Kind::kFlag: return "true, false or a whole number from 0 to 255";
        case Kind::kText: return "text";
        case Kind::kObject: return "an object";
        case Kind::kArray: return "an array";
    }
    return {};
}

bool HasKind(const Json::Value& value, const Shape& shape) {
    switch (shape.kind) {
        case Kind::kInteger: return InRange(value, shape.min, shape.max);
        case Kind::kFlag: return value.isBool() || InRange(value, shape.min, shape.max);
        case Kind::kText: return value.isString();
        case Kind::kObject: return value.isObject();
        case Kind::kArray: return value.isArray();
    }
    return false;
}

// Null reads as absent everywhere, so it fits every shape.
std::optional<ProfileDamage> Check(const Json::Value& value, const Shape& shape, const std::string& path) {
    if (value.isNull()) return std::nullopt;
    if (!HasKind(value, shape)) return ProfileDamage{path, Expected(shape)};
    if (shape.kind == Kind::kObject) {
        for (const Member& m : shape.members) {
            const std::string member = (path.empty() ? "" : path + ".") + "\"" + m.key + "\"";
            if (auto damage = Check(json::Member(value, m.key), m.shape, member)) return damage;
        }
    } else if (shape.kind == Kind::kArray) {
        for (Json::ArrayIndex i = 0; i < value.size(); ++i) {
            if (auto damage = Check(value[i], *shape.element, path + "[" + std::to_string(i) + "]")) return damage;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ProfileDamage> FindProfileDocumentDamage(const Json::Value& document) {
    if (!document.isObject()) return ProfileDamage{"\"Device\"[0]", "an object"};
    return Check(document, DocumentShape(), "");
}

bool HasDpiStages(const Json::Value& document) {
    const Json::Value& stages = json::Member(json::Member(document, "DPIStages"), "StageDPIs");
    return (stages.isArray() || stages.isObject()) && !stages.empty();
}

}  // namespace orvane

#include "profiles/JsonFields.h"

#include <cmath>
#include <limits>

namespace orvane::json {
namespace {

const Json::Value& NullValue() {
    static const Json::Value null;
    return null;
}

}  // namespace

const Json::Value& Member(const Json::Value& object, const char* key) {
    if (!object.isObject()) return NullValue();
    const Json::Value* found = object.find(key, key + std::char_traits<char>::length(key));
    return found != nullptr ? *found : NullValue();
}

const Json::Value& Element(const Json::Value& array, Json::ArrayIndex index) {
    if (!array.isArray() || index >= array.size()) return NullValue();
    return array[index];
}

Json::ArrayIndex ArraySize(const Json::Value& array) {
    return array.isArray() ? array.size() : 0;
}

int64_t IntOf(const Json::Value& value) {
    switch (value.type()) {
        case Json::intValue:
            return value.asInt64();
        case Json::uintValue:
            // Above INT64_MAX wraps, which keeps the low bytes that the packings use.
            return static_cast<int64_t>(value.asUInt64());
        case Json::booleanValue:
            return value.asBool() ? 1 : 0;
        case Json::realValue: {
            double d = value.asDouble();
            constexpr double kLimit = 9.2e18;
            if (!std::isfinite(d) || d >= kLimit || d <= -kLimit) return 0;
            return static_cast<int64_t>(d);
        }
        default:
            return 0;
    }
}

uint8_t ByteOf(const Json::Value& value) { return static_cast<uint8_t>(IntOf(value) & 0xFF); }

uint16_t WordOf(const Json::Value& value) { return static_cast<uint16_t>(IntOf(value) & 0xFFFF); }

int32_t Int32Of(const Json::Value& value) {
    int64_t v = IntOf(value);
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

bool BoolOf(const Json::Value& value) {
    switch (value.type()) {
        case Json::booleanValue:
            return value.asBool();
        case Json::intValue:
        case Json::uintValue:
            return IntOf(value) != 0;
        case Json::realValue:
            return value.asDouble() != 0.0;
        default:
            return false;
    }
}

std::string TextOf(const Json::Value& value) {
    return value.isString() ? value.asString() : std::string();
}

std::string DecimalTextOf(const Json::Value& value) {
    if (value.isString()) return value.asString();
    if (value.isInt64()) return std::to_string(value.asInt64());
    if (value.isUInt64()) return std::to_string(value.asUInt64());
    return {};
}

int32_t ParseDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t magnitude = 0;
    constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kCap) magnitude = kCap;
    }
    int64_t v = negative ? -magnitude : magnitude;
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

Json::Value& MemberSlot(Json::Value& object, const char* key) {
    if (!object.isObject()) object = Json::Value(Json::objectValue);
    return object[key];
}

Json::Value& ElementSlot(Json::Value& array, Json::ArrayIndex index) {
    if (!array.isArray()) array = Json::Value(Json::arrayValue);
    // Fill the gap with real nulls: jsoncpp's operator[] leaves it sparse, and a sparse array
    // compares unequal to the same array read back from its file.
    while (array.size() < index) array.append(Json::Value());
    return array[index];
}

}  // namespace orvane::json

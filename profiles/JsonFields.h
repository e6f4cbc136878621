#pragma once
// Type-checked access to JSON members. jsoncpp throws when a value of the wrong type is read
// or indexed (asInt() on a string, ["key"] on an array); file contents are untrusted, so every
// reader goes through these: a missing or wrongly typed member reads as 0, false or empty.

#include <json/json.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::json {

// The member `key` of an object; null when `object` is not an object or lacks the key.
const Json::Value& Member(const Json::Value& object, const char* key);
// Element `index` of an array; null when `array` is not an array or is too short.
const Json::Value& Element(const Json::Value& array, Json::ArrayIndex index);
// Number of elements of an array; 0 for anything else.
Json::ArrayIndex ArraySize(const Json::Value& array);

// Integers as they stand, booleans as 0/1, finite in-range reals truncated; anything else 0.
int64_t IntOf(const Json::Value& value);
uint8_t ByteOf(const Json::Value& value);     // low 8 bits of IntOf
uint16_t WordOf(const Json::Value& value);    // low 16 bits of IntOf
int32_t Int32Of(const Json::Value& value);    // IntOf clamped to the int32 range
// Booleans as they stand, numbers as "not zero"; anything else false.
bool BoolOf(const Json::Value& value);
// Strings as they stand; anything else empty.
std::string TextOf(const Json::Value& value);
// A string as it stands, an integer as its decimal text; anything else empty.
std::string DecimalTextOf(const Json::Value& value);

// Reads text as a decimal integer the way atoi does (leading blanks, optional sign, digits up to
// the first other character; no digits gives 0), clamped to the int32 range.
int32_t ParseDecimal(std::string_view text);

// Writable member / element: a value of the wrong type is replaced by an empty object / array
// first, so writing into a damaged document repairs it instead of throwing.
Json::Value& MemberSlot(Json::Value& object, const char* key);
Json::Value& ElementSlot(Json::Value& array, Json::ArrayIndex index);

}  // namespace orvane::json

#pragma once
// A record's JSON members as one table of (key, member) per record, read and written by one
// generic pair of functions, so each key is spelled once. Every read goes through the checked
// accessors of JsonFields.h: a missing or wrongly typed member reads as 0, false or empty.

#include <json/json.h>

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

#include "profiles/JsonFields.h"
#include "profiles/JsonFileStore.h"
#include "profiles/ProfileRecords.h"
#include "protocol/LightSetting.h"

namespace orvane::json {

// How a member is read and written. Numbers are always written as JSON integers of the member's
// value, text through ToProfileText, key codes packed as in "KeyList".
enum class FieldRule : uint8_t {
    kValue,      // read by the member's type: low 8 or 16 bits, int32 clamped, text, key code
    kFlag,       // read as a boolean (numbers as "not zero") giving 0 or 1
    kByte,       // read as the low 8 bits, whatever the member's width
    kReadOnly,   // read by the member's type, never written: the document keeps its own value
    kWriteOnly,  // written, never read: the record keeps what it held
};

// A member's key: its name in the object given, or in a named object inside it.
struct JsonKey {
    constexpr JsonKey(const char* key) : name(key) {}
    constexpr JsonKey(const char* in, const char* key) : section(in), name(key) {}
    const char* section = nullptr;
    const char* name;
};

template <class Record>
class JsonField {
public:
    // A member of the light setting the record embeds as `light`.
    struct LightMember {
        LightSetting Record::*setting;
        uint8_t LightSetting::*member;
    };
    using Target = std::variant<uint8_t Record::*, uint16_t Record::*, int32_t Record::*, std::string Record::*,
                                KeyCodeBytes Record::*, LightMember>;

    template <class T>
    constexpr JsonField(JsonKey key, T Record::*member, FieldRule rule = FieldRule::kValue)
        : key_(key), target_(member), rule_(rule) {}
    constexpr JsonField(JsonKey key, uint8_t LightSetting::*member, FieldRule rule = FieldRule::kValue)
        : key_(key), target_(LightMember{&Record::light, member}), rule_(rule) {}

    void Read(const Json::Value& object, Record& record) const {
        if (rule_ == FieldRule::kWriteOnly) return;
        const Json::Value& value = Member(key_.section ? Member(object, key_.section) : object, key_.name);
        std::visit([&](auto target) { ReadInto(Slot(record, target), value); }, target_);
    }

    void Write(Json::Value& object, const Record& record) const {
        if (rule_ == FieldRule::kReadOnly) return;
        Json::Value& parent = key_.section ? MemberSlot(object, key_.section) : object;
        std::visit([&](auto target) { MemberSlot(parent, key_.name) = ValueOf(Slot(record, target)); }, target_);
    }

private:
    // The member `target` names in `record`, const when the record is.
    template <class R, class T>
    static auto& Slot(R& record, T Record::*member) {
        return record.*member;
    }
    template <class R>
    static auto& Slot(R& record, LightMember light) {
        return (record.*(light.setting)).*(light.member);
    }

    template <class T>
    void ReadInto(T& member, const Json::Value& value) const {
        if constexpr (std::is_same_v<T, std::string>) {
            member = FromProfileText(TextOf(value));
        } else if constexpr (std::is_same_v<T, KeyCodeBytes>) {
            member = UnpackAssignment(IntOf(value));
        } else if (rule_ == FieldRule::kFlag) {
            member = BoolOf(value) ? 1 : 0;
        } else if (rule_ == FieldRule::kByte) {
            member = ByteOf(value);
        } else if constexpr (std::is_same_v<T, uint8_t>) {
            member = ByteOf(value);
        } else if constexpr (std::is_same_v<T, uint16_t>) {
            member = WordOf(value);
        } else {
            static_assert(std::is_same_v<T, int32_t>);
            member = Int32Of(value);
        }
    }

    template <class T>
    static Json::Value ValueOf(const T& member) {
        if constexpr (std::is_same_v<T, std::string>) {
            return ToProfileText(member);
        } else if constexpr (std::is_same_v<T, KeyCodeBytes>) {
            return static_cast<Json::Int>(PackAssignment(member));
        } else {
            return static_cast<Json::Int>(member);
        }
    }

    JsonKey key_;
    Target target_;
    FieldRule rule_;
};

template <class Record>
using JsonFieldTable = std::span<const JsonField<Record>>;

// Reads every field of `table` from `object` into `record`.
template <class Record>
void ReadFields(const Json::Value& object, Record& record, std::type_identity_t<JsonFieldTable<Record>> table) {
    for (const JsonField<Record>& field : table) field.Read(object, record);
}

// Writes every field of `table` from `record` into `object`; its other members stay as they are.
template <class Record>
void WriteFields(Json::Value& object, const Record& record, std::type_identity_t<JsonFieldTable<Record>> table) {
    for (const JsonField<Record>& field : table) field.Write(object, record);
}

}  // namespace orvane::json

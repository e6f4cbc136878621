#pragma once
// The shape of a profile document ("Device"[0] of a profile file) as the profile readers of every
// device kind know it: which members are objects, arrays, texts or flags, and the range of each
// number. Files that come from outside the program (imports) are checked against it as a whole
// before anything is written, so a profile that would load as silently zeroed or cut values is
// refused instead. Members the readers do not know are allowed and kept.

#include <json/json.h>

#include <optional>
#include <string>

namespace orvane {

// A member of a profile document whose value the readers would not take as it stands.
struct ProfileDamage {
    std::string member;    // its path from the document, e.g. "DPIStages"."StageDPIs"[2]."StageDPIX"
    std::string expected;  // what it should hold, e.g. "a whole number from 0 to 65535"
};

// nullopt when `document` is an object and every known member has its type and range (null
// stands for absent anywhere); otherwise the first member that does not.
std::optional<ProfileDamage> FindProfileDocumentDamage(const Json::Value& document);

// True when the document's "DPIStages"."StageDPIs" is an array or object with elements: the
// profile belongs to a device with DPI stages (a mouse), not to a keyboard.
bool HasDpiStages(const Json::Value& document);

}  // namespace orvane

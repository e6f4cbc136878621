#pragma once
// What the profile panel shows for the profile list's results: the message of a refused name,
// the feature tabs of each device kind, the message of a reset's macro write.

#include <span>

#include "profiles/ProfileList.h"

namespace orvane {

// The message id explaining a refused name; nullptr for kNone.
const char* RefusalMessageId(ProfileNameRefusal refusal);

// Feature tabs of the panel, selected by type 1-7 in this order.
inline constexpr const char* kFeatureTabNames[] = {"deng_Op_tab",    "key_Op_tab",        "macro_Op_tab",
                                                   "system_Op_tab",  "cursor_Op_tab",     "8127_voice_Op_tab",
                                                   "magic_Op_tab"};
// The tabs a device kind hides, and those it shows; the others keep their layout visibility.
std::span<const char* const> HiddenFeatureTabs(int deviceKind);
std::span<const char* const> ShownFeatureTabs(int deviceKind);

// The message a reset shows for the result of its macro write; nullptr when none. Keyboards
// show "message_text_7" for -1 and "message_text_16" (formatted with the result) for any other
// non-zero result; the other pages show nothing.
const char* ResetMacroMessage(int deviceKind, int macroWriteResult);

}  // namespace orvane

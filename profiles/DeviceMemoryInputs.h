#pragma once
// What every device family's key table and macro memory take from the profile and the macro
// files: the current function code of each "KeyList" entry and each macro's steps as the device
// encodes them.

#include <vector>

#include "profiles/MacroFile.h"
#include "profiles/ProfileRecords.h"
#include "protocol/KeyTable.h"
#include "protocol/MacroArea.h"

namespace orvane {

// The current function code of each "KeyList" entry, in logical key order.
std::vector<FunctionCode> KeyCodesFromProfile(const std::vector<KeyListEntry>& keys);

// The device encoding of each macro's steps, in macro-number order.
std::vector<std::vector<MacroEventBytes>> MacroEventsForDevice(const std::vector<DeviceMacro>& macros);

}  // namespace orvane

#pragma once
// The C interface of the headset's audio configuration library, as the program loads it at run
// time: eleven exports bound by name, of which ConfLibInit, CreateDeviceList, GetDeviceCount,
// GetDeviceById and PropertyControl are called.
//
// An endpoint is a record of four 32-bit words handed over by value (word 1 its kind, word 3 is
// 1 for a usable endpoint). A property is named in wide text; its value and its extra selector
// travel in caller-owned areas reached through pointer-to-pointer arguments. A write takes the
// value from the first 32 bits of the value area (an integer, or a float 0.0-1.0 for the two
// scalar levels); a successful read leaves the value as decimal wide text there. 0 is success.

#include <cstddef>
#include <cstdint>

extern "C" {

struct OsConfEndpoint {
    uint32_t words[4];
};

inline constexpr uint32_t kOsConfPlayback = 0;
inline constexpr uint32_t kOsConfCapture = 1;
inline constexpr uint32_t kOsConfRead = 0;
inline constexpr uint32_t kOsConfWrite = 1;
// Every value and extra area is this large; the feature list is read into twice as much.
inline constexpr size_t kOsConfAreaBytes = 1024;
inline constexpr size_t kOsConfFeatureAreaBytes = 2048;

using ConfLibInitFunc = int32_t (*)();
using GetDeviceByIdFunc = int32_t (*)(uint32_t flow, uint32_t index, OsConfEndpoint* record);
using PropertyControlFunc = int32_t (*)(OsConfEndpoint endpoint, const wchar_t* property, void** value, void** extra,
                                        uint32_t write);
using RegisterCallbackFunctionFunc = int32_t (*)(void (*callback)(void* context), void* context);
using GetDeviceCountFunc = int32_t (*)(uint32_t flow, uint32_t* count);
using CreateDeviceListFunc = int32_t (*)();
using ConfLibUnInitFunc = int32_t (*)();
using ShowAsioPanelFunc = int32_t (*)();
using PlayTestSoundFunc = int32_t (*)(OsConfEndpoint endpoint);
using StopTestSoundFunc = int32_t (*)(OsConfEndpoint endpoint);
using CloseTestSoundFunc = int32_t (*)(OsConfEndpoint endpoint);

}  // extern "C"

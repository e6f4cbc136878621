#pragma once
// The emulated audio library's call journal, for tests that check which properties the program
// wrote and read, in which order. The library exports:
//   uint32_t OsConfEmulatedJournal(OsConfJournalEntry* entries, uint32_t capacity)
//     copies the newest min(capacity, kept) calls, oldest first, and returns how many;
//   void OsConfEmulatedReset()
//     forgets every property written and the journal (a factory-fresh headset).
// The environment can shape it: ORVANE_EMULATED_AUDIO_FEATURES replaces the capture endpoint's
// feature list text, ORVANE_EMULATED_AUDIO_INIT=fail makes ConfLibInit fail.

#include <cstdint>

extern "C" {

inline constexpr uint32_t kOsConfJournalCapacity = 512;
inline constexpr uint32_t kOsConfJournalNameChars = 32;

struct OsConfJournalEntry {
    wchar_t property[kOsConfJournalNameChars];  // cut to fit, terminated
    uint32_t flow;        // kOsConfPlayback or kOsConfCapture
    uint32_t write;       // kOsConfRead or kOsConfWrite
    uint32_t value;       // a write's first 32 bits (float bits for the scalar levels)
    uint32_t hasExtra;    // 1 when an extra area was passed
    int32_t selector;     // its first 32 bits
    int32_t result;       // what the call returned
};

using OsConfEmulatedJournalFunc = uint32_t (*)(OsConfJournalEntry* entries, uint32_t capacity);
using OsConfEmulatedResetFunc = void (*)();

}  // extern "C"

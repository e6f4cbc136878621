#pragma once
// The emulated audio library as the headset loads it from the build tree, factory-fresh, with
// its call journal.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "headset/AudioLibrary.h"
#include "headset/osconf/OsConfJournal.h"

namespace orvane::test {

struct Call {
    std::wstring property;
    uint32_t flow = 0;
    bool write = false;
    uint32_t value = 0;
    int32_t result = 0;
};

inline std::shared_ptr<AudioLibrary> EmulatedAudioLibrary() {
    auto library = AudioLibrary::ForHeadset(true);
    EXPECT_TRUE(library) << "the emulated library is built to " << AudioLibrary::LibraryFile(AudioLibrary::Variant::kEmulated);
    if (library) reinterpret_cast<OsConfEmulatedResetFunc>(library->Export("OsConfEmulatedReset"))();
    return library;
}

inline std::vector<Call> Journal(const AudioLibrary& library) {
    auto journal = reinterpret_cast<OsConfEmulatedJournalFunc>(library.Export("OsConfEmulatedJournal"));
    std::vector<OsConfJournalEntry> entries(kOsConfJournalCapacity);
    entries.resize(journal(entries.data(), kOsConfJournalCapacity));
    std::vector<Call> calls;
    for (const auto& e : entries) calls.push_back({e.property, e.flow, e.write == kOsConfWrite, e.value, e.result});
    return calls;
}

inline std::vector<Call> Writes(const AudioLibrary& library) {
    std::vector<Call> writes;
    for (const Call& c : Journal(library))
        if (c.write) writes.push_back(c);
    return writes;
}

// The calls after the first `mark` ones.
inline std::vector<Call> CallsSince(const AudioLibrary& library, size_t mark) {
    std::vector<Call> calls = Journal(library);
    calls.erase(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(std::min(mark, calls.size())));
    return calls;
}

}  // namespace orvane::test

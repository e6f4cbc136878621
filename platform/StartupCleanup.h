#pragma once
// What a program of ours tidies when it starts: temporary files that interrupted atomic writes
// left in the program's own folders.

#include <ctime>
#include <string>

namespace orvane {

// When this process started (wall clock); the current time when the system does not say.
std::time_t ProcessStartTime();

// Removes leftover temporary files of interrupted atomic writes (see RemoveLeftoverTempFiles) from the
// product's data, config and state folders and the folders directly below them (the device
// folders). Nothing else is touched. Returns how many were removed.
size_t RemoveLeftoverTempFilesOfOurFolders();

}  // namespace orvane

#pragma once
// Whole-file writes that never leave a half-written file behind.

#include <string>
#include <string_view>

namespace orvane {

// Writes `content` to a temporary file in the target's folder, flushes it to disk and
// renames it over `path`. On any failure the old file is untouched and false is returned.
bool WriteFileAtomically(const std::string& path, std::string_view content);

// Reads a whole file; false when it cannot be opened or read, or is larger than `maxBytes`.
bool ReadWholeFile(const std::string& path, std::string& content, size_t maxBytes = 64u << 20);

}  // namespace orvane

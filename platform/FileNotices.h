#pragma once
// Notices about the user's data files that the program could not use as they were: not a
// regular file, too large, unreadable, or damaged and kept aside under another name. Each
// notice goes to the debug log and to the handler the program installed (orvanectl prints
// them on stderr), so the user learns what happened to the file.

#include <functional>
#include <string>

namespace orvane {

using FileNoticeHandler = std::function<void(const std::string& message)>;

// One notice, one line. Safe from any thread.
void NoteFileProblem(const std::string& message);

// Replaces the handler (an empty one: debug log only); returns the previous one.
FileNoticeHandler SetFileNoticeHandler(FileNoticeHandler handler);

}  // namespace orvane

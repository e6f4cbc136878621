#pragma once
// Whole-file JSON reads and writes shared by every data file of the program (profiles, profile
// list, macros, light settings). Files are UTF-8, written atomically.

#include <json/json.h>

#include <ctime>
#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace orvane {

// No data file of the program comes near this; a larger one is refused, read or written.
inline constexpr size_t kMaxDataFileBytes = 8u << 20;

// How a JSON file read went; `ReadJsonValue` folds everything but kParsed into null.
enum class JsonFileStatus {
    kParsed,      // the file held JSON; `value` is its root
    kNoContent,   // missing or empty: nothing there to lose
    kUnreadable,  // present but not read: not a regular file, over kMaxDataFileBytes, no permission
    kUnparsable,  // the file has content that is not JSON
};

struct JsonFileResult {
    JsonFileStatus status = JsonFileStatus::kNoContent;
    Json::Value value;  // null unless kParsed
};

class JsonFileStore {
public:
    // The whole file, or empty text when it cannot be opened or read in one piece. Anything but
    // a regular file of at most kMaxDataFileBytes is not read; that is noted (NoteFileProblem)
    // and the file is left as it is.
    std::string readjsonFile(const std::string& path) const;
    // The parsed file (comments kept), or null when it is missing, empty or not JSON.
    Json::Value ReadJsonValue(const std::string& path) const;
    // As ReadJsonValue, but says why a file gave no value.
    JsonFileResult ReadJsonChecked(const std::string& path) const;
    // Styled JSON plus one line feed, replacing the file atomically: 0 written, 1 not written
    // (the old file is then untouched; text over kMaxDataFileBytes is never written).
    int wirtejsonFile(const std::string& path, const Json::Value& value) const;

    // Renames a file whose content would be lost by rewriting it to "<path>.broken-<time stamp>"
    // (with "-<n>" added when that name is taken) and notes it (NoteFileProblem). The new path,
    // or empty when the file could not be renamed and stays where it is.
    std::string KeepAside(const std::string& path) const;

    // The local time as "2019_03_07_14_05_09_042": the names of profile and macro files.
    std::string MakeTimeStampName() const;
    static std::string MakeTimeStampName(const std::tm& localTime, int milliseconds);

private:
    FileReadResult ReadFile(const std::string& path) const;
};

// Parses JSON text the way every reader of the program does (jsoncpp's Reader, comments
// collected). False, with `root` null, for text that is not JSON or nests too deeply.
bool ParseJsonText(std::string_view text, Json::Value& root);

// User text (profile, macro and equaliser names) to and from the form kept in JSON files.
// Both sides are UTF-8; byte sequences that are not UTF-8 become U+FFFD, so a name never
// turns into text that jsoncpp mangles or drops, and every character of every script survives.
std::string ToProfileText(std::string_view text);
std::string FromProfileText(std::string_view text);

}  // namespace orvane

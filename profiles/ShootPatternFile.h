#pragma once
// The shooting pattern files "ShootData_<g>.Shoot" (g 0-3): 30 shots of four macro steps each in
// "Events" (press, 10 ms, release, horizontal move, 5 ms, vertical move, the shot's pause). The
// user's copy lives in the user data folder, the factory copy in the default data folder. A shot
// is written by read-modify-write of the user's file: other members and elements stay as they are.

#include <json/json.h>

#include <optional>
#include <string>

namespace orvane {

inline constexpr int kShootPatternCount = 4;
inline constexpr int kShotCount = 30;
inline constexpr int kStepsPerShot = 4;
// A pointer correction is one byte of the mouse's move step; a pause fits the macro delay.
inline constexpr int kMaxShotDistance = 255;
inline constexpr int kMaxShotPauseMs = 65535;

struct ShotValues {
    bool left = false;  // the horizontal correction goes left ("down")
    int x = 0;
    bool up = false;    // the vertical correction goes up ("down")
    int y = 0;
    int pauseMs = 0;
    bool operator==(const ShotValues&) const = default;
};

// "ShootData_" + g + ".Shoot".
std::string ShootPatternFileName(int pattern);

// Shot `shot` of a pattern document: read as null, empty text and 0 where absent; distances and
// pauses out of range clamped.
ShotValues ReadShot(const Json::Value& document, int shot);
// Elements 4·shot … 4·shot + 3 of "Events" written (earlier missing elements become null);
// values clamped to their ranges.
void WriteShot(Json::Value& document, int shot, const ShotValues& values);
// Whether a document holds a whole pattern: an object whose "Events" hold all 30 shots, each
// step an object.
bool IsCompletePattern(const Json::Value& document);

class ShootPatternFiles {
public:
    // Both folders end in '/'.
    ShootPatternFiles(std::string userFolder, std::string factoryFolder)
        : userFolder_(std::move(userFolder)), factoryFolder_(std::move(factoryFolder)) {}

    std::string UserPath(int pattern) const { return userFolder_ + ShootPatternFileName(pattern); }
    std::string FactoryPath(int pattern) const { return factoryFolder_ + ShootPatternFileName(pattern); }

    // The pattern as the user has it: the user's file, or the factory copy until the first edit
    // (so the shipped patterns show and a first edit keeps their other shots). Null when
    // neither holds a document.
    Json::Value Pattern(int pattern) const;
    // Pattern and shot are clamped to their ranges.
    ShotValues Shot(int pattern, int shot) const;
    // The shot written into Pattern(pattern), saved as the user's file. False when the file could
    // not be written (the old one is then untouched).
    bool SaveShot(int pattern, int shot, const ShotValues& values) const;
    // The factory file's bytes replace the user's; a missing factory file leaves an empty user
    // file, which reads as missing. False when nothing could be written.
    bool ResetPattern(int pattern) const;
    // The user's file (or, before the first edit, the factory file) copied byte for byte to `path`.
    bool ExportPattern(int pattern, const std::string& path) const;
    // A whole pattern file at `path` replaces the user's, byte for byte. Refused, with the user's
    // file kept, when `path` holds no complete pattern; nullopt then, else whether it was written.
    std::optional<bool> ImportPattern(int pattern, const std::string& path) const;

private:
    std::string userFolder_;
    std::string factoryFolder_;
};

}  // namespace orvane

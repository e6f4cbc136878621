// `orvanectl shoot`: the mouse's shooting pattern files, as the shooting pattern panel keeps
// them. They stay on the computer; nothing is sent to the mouse.
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <iostream>

#include "profiles/JsonFileStore.h"
#include "profiles/ProfilePaths.h"
#include "profiles/ShootPatternFile.h"
#include "tools/orvanectl/Commands.h"

namespace orvane::tool {
namespace {

constexpr const char* kUsage =
    "usage: orvanectl shoot list [--json] | shoot show N [--json] | shoot reset N | shoot export N FILE |\n"
    "       shoot import N FILE   (N = pattern 0-3)";

bool ParsePattern(const std::string& text, int& pattern) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v >= kShootPatternCount) return false;
    pattern = static_cast<int>(v);
    return true;
}

ShootPatternFiles MouseShootFiles() { return {UserDataFolder("mouse"), DefaultDataFolder()}; }

// "user", "factory" (no edits yet) or "missing".
const char* Source(const ShootPatternFiles& files, int pattern) {
    if (!JsonFileStore().readjsonFile(files.UserPath(pattern)).empty()) return "user";
    if (!JsonFileStore().readjsonFile(files.FactoryPath(pattern)).empty()) return "factory";
    return "missing";
}

Json::Value ShotJson(const ShotValues& v) {
    Json::Value shot(Json::objectValue);
    shot["x"] = v.x;
    shot["x_direction"] = v.left ? "left" : "right";
    shot["y"] = v.y;
    shot["y_direction"] = v.up ? "up" : "down";
    shot["pause_ms"] = v.pauseMs;
    return shot;
}

int List(const ShootPatternFiles& files, bool json) {
    Json::Value doc(Json::arrayValue);
    for (int g = 0; g < kShootPatternCount; ++g) {
        Json::Value item(Json::objectValue);
        item["pattern"] = g;
        item["file"] = files.UserPath(g);
        item["source"] = Source(files, g);
        doc.append(item);
        if (!json) std::printf("%d  %-8s %s\n", g, Source(files, g), files.UserPath(g).c_str());
    }
    if (json) std::cout << doc.toStyledString();
    return kExitOk;
}

int Show(const ShootPatternFiles& files, int pattern, bool json) {
    Json::Value doc(Json::arrayValue);
    for (int b = 0; b < kShotCount; ++b) {
        const ShotValues v = files.Shot(pattern, b);
        doc.append(ShotJson(v));
        if (!json) {
            std::printf("shot %2d  x %3d %-5s  y %3d %-4s  pause %5d ms\n", b + 1, v.x, v.left ? "left" : "right", v.y,
                        v.up ? "up" : "down", v.pauseMs);
        }
    }
    if (json) std::cout << doc.toStyledString();
    return kExitOk;
}

}  // namespace

int ShootCommand(const GlobalOptions&, const Args& given) {
    Args args = given;
    const bool json = std::erase(args, std::string("--json")) > 0;
    const ShootPatternFiles files = MouseShootFiles();
    if (args.size() == 1 && args[0] == "list") return List(files, json);
    int pattern = 0;
    if (args.size() < 2 || !ParsePattern(args[1], pattern)) return Fail(kExitUsage, kUsage);
    const std::string& verb = args[0];
    if (verb == "show" && args.size() == 2) return Show(files, pattern, json);
    if (verb == "reset" && args.size() == 2) {
        if (!files.ResetPattern(pattern)) return Fail(kExitFailure, "cannot write " + files.UserPath(pattern));
        std::printf("pattern %d reset from %s\n", pattern, files.FactoryPath(pattern).c_str());
        return kExitOk;
    }
    if (verb == "export" && args.size() == 3) {
        if (!files.ExportPattern(pattern, args[2])) return Fail(kExitFailure, "cannot write " + args[2]);
        std::printf("pattern %d exported to %s\n", pattern, args[2].c_str());
        return kExitOk;
    }
    if (verb == "import" && args.size() == 3) {
        const std::optional<bool> imported = files.ImportPattern(pattern, args[2]);
        if (!imported) return Fail(kExitFailure, args[2] + " holds no complete shooting pattern; nothing was changed");
        if (!*imported) return Fail(kExitFailure, "cannot write " + files.UserPath(pattern));
        std::printf("pattern %d imported from %s\n", pattern, args[2].c_str());
        return kExitOk;
    }
    return Fail(kExitUsage, kUsage);
}

}  // namespace orvane::tool

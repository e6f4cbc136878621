// The mouse pad's side of `orvanectl config` and `orvanectl profiles` (with --pad): the pad's
// active block as it holds it, and the profile panel's operations on the pad's user data.
#include <json/json.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "mousepad/PadDeviceModel.h"
#include "profiles/ProfileExchange.h"
#include "profiles/ProfileFolderSnapshot.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"
#include "tools/orvanectl/PadSession.h"

namespace orvane::tool {
namespace {

constexpr const char* kProfilesUsage =
    "usage: orvanectl --pad|--headset profiles list | select N|NAME | add | copy | rename NAME | delete | reset |\n"
    "                                          export N|NAME FILE";

}  // namespace

void PrintPadBlock(const PadBlock& block, bool json, const Json::Value* extra) {
    const LightSetting light = block.Lighting();
    char colour[8];
    std::snprintf(colour, sizeof colour, "%02x%02x%02x", light.red, light.green, light.blue);
    const std::string raw = HexBytes(block.bytes.data(), block.bytes.size());
    if (json) {
        Json::Value doc(Json::objectValue);
        doc["profile"] = block.ProfileNumber();
        doc["address"] = block.ProfileNumber() * PadBlock::kReadStride;
        doc["mode"] = light.mode;
        doc["brightness"] = light.brightness;
        doc["speed"] = light.speed;
        doc["colourful"] = light.multiColor != 0;
        doc["colour"] = colour;
        doc["raw"] = raw;
        if (extra != nullptr) {
            for (const auto& key : extra->getMemberNames()) doc[key] = (*extra)[key];
        }
        std::cout << doc.toStyledString();
        return;
    }
    std::printf("active profile        %u (block at address %u)\n", block.ProfileNumber(),
                block.ProfileNumber() * PadBlock::kReadStride);
    std::printf("light mode            %u\n", light.mode);
    std::printf("brightness            %u\n", light.brightness);
    std::printf("speed                 %u (stored as %u)\n", light.speed, (PadBlock::kSpeedBase - light.speed) & 0xFFu);
    std::printf("multicolour           %u\n", light.multiColor);
    std::printf("colour                #%s\n", colour);
    std::printf("raw                   %s\n", raw.c_str());
}

namespace {

void PrintList(const ProfileList& list) {
    const auto& entries = list.Entries();
    for (size_t i = 0; i < entries.size(); ++i)
        std::printf("%c %2zu  %-24s %s\n", static_cast<int>(i) == list.GetSelectedIndex() ? '*' : ' ', i,
                    entries[i].name.c_str(), entries[i].uuid.c_str());
}

// An index, or the name of an entry.
int FindEntry(const ProfileList& list, const std::string& what) {
    char* end = nullptr;
    const long n = std::strtol(what.c_str(), &end, 10);
    if (!what.empty() && *end == '\0') return n >= 0 && static_cast<size_t>(n) < list.Entries().size() ? static_cast<int>(n) : -1;
    for (size_t i = 0; i < list.Entries().size(); ++i)
        if (list.Entries()[i].name == what) return static_cast<int>(i);
    return -1;
}

// A profile the pad did not take leaves the profile files as they were.
int Written(const DeviceOutcome& written, const ProfileList& list, const ProfileFolderSnapshot& before, bool headset) {
    if (!written.Ok()) {
        std::fprintf(stderr, "orvanectl: %s\n", before.Restore() ? "the profiles were left as they were"
                                                                 : "the profiles could not all be put back as they were");
        return OutcomeResult(written);
    }
    std::printf("profile %s selected and written to the %s\n", list.SelectedName().c_str(), headset ? "headset" : "mouse pad");
    return kExitOk;
}

}  // namespace

int PadConfigCommand(const GlobalOptions& options, const Args& args) {
    const bool json = !args.empty() && args[0] == "--json";
    if (args.size() > (json ? 1u : 0u)) return Fail(kExitUsage, "usage: orvanectl --pad config [--json]");
    int code = kExitOk;
    auto pad = OpenFirstPad(options, code);
    if (!pad) return code;
    PadDeviceModel model(*pad->channel);
    const std::optional<PadBlock> block = model.ReadActiveBlock();
    if (!block) return NotAnswering(model.LastFailure().command, model.LastFailure().result, model.LastFailure().detail);
    PrintPadBlock(*block, json, nullptr);
    return kExitOk;
}

int PadProfilesCommand(const GlobalOptions& options, const Args& args) {
    if (args.empty()) return Fail(kExitUsage, kProfilesUsage);
    const std::string& verb = args[0];
    ProfileList list = OpenPadProfileList(options.headset);
    if (verb == "list" && args.size() == 1) {
        PrintList(list);
        return kExitOk;
    }
    if (verb == "export" && args.size() == 3) {
        const int index = FindEntry(list, args[1]);
        if (index < 0) return Fail(kExitUsage, "no profile " + args[1]);
        const ProfileExchangeResult r = ExportProfile(list, index, args[2]);
        if (!r.Done()) return Fail(kExitFailure, "export refused, nothing changed: " + DescribeProfileExchange(r));
        std::printf("profile %s exported to %s\n", r.name.c_str(), args[2].c_str());
        return kExitOk;
    }
    const bool select = verb == "select" && args.size() == 2;
    const bool rename = verb == "rename" && args.size() == 2;
    if (!select && !rename && (args.size() != 1 || (verb != "add" && verb != "copy" && verb != "delete" && verb != "reset")))
        return Fail(kExitUsage, kProfilesUsage);
    if (rename) {
        if (!list.RenameProfile(args[1]).Changed()) return Fail(kExitUsage, "rename refused");
        PrintList(list);
        return kExitOk;
    }
    int index = -1;
    if (select && (index = FindEntry(list, args[1])) < 0) return Fail(kExitUsage, "no profile " + args[1]);

    // The pad first: nothing changes on disk when it cannot be written.
    int code = kExitOk;
    auto session = OpenPadSession(options, list, code);
    if (!session) return code;
    const auto before = ProfileFolderSnapshot::Take(std::filesystem::path(list.ListPath()).parent_path().string());
    MousePadDevice& pad = session->pad;
    if (select) return Written(pad.SelectProfile(list, index), list, before, options.headset);
    if (verb == "reset") return Written(pad.ResetProfile(list), list, before, options.headset);
    const ProfileListResult changed = verb == "add" ? list.AddProfile() : verb == "copy" ? list.CopyProfile() : list.DeleteProfile();
    if (!changed.Changed()) return Fail(kExitFailure, verb + ": the profile list did not change");
    return Written(pad.ApplyProfile(list.GetSelectedUuid()), list, before, options.headset);
}

}  // namespace orvane::tool

// `orvanectl updates [--json]`: the settings window's update check, for the program and every
// connected device, one row each with its installed and newest version.
#include <json/json.h>

#include <cstdio>
#include <iostream>

#include "online/UpdateCheck.h"
#include "online/UpdateTime.h"
#include "tools/orvanectl/Commands.h"

namespace orvane::tool {
namespace {

// The check's progress is of no use here: the rows are printed once it has ended.
class QuietView final : public online::UpdateCheckView {
public:
    void ShowUpdatePageState(online::UpdatePageState) override {}
    void AddUpdateRow(const online::UpdateInfo&) override {}
    void FillUpdateRow(const online::UpdateInfo&, size_t) override {}
    void OfferUpdate(size_t) override {}
};

// Every supported device's command interface present now, with its HID version number.
std::vector<online::ConnectedDevice> ConnectedDevices() {
    HidDeviceHandle probe;
    DeviceSlotList slots = MakeDeviceSlotList();
    std::vector<ScannedInterface> seen;
    if (!ClaimPresentInterfaces(probe, slots, nullptr, &seen)) {
        std::fprintf(stderr, "orvanectl: cannot list HID devices; asking about the program alone\n");
    }
    std::vector<online::ConnectedDevice> devices;
    for (const ScannedInterface& s : seen) {
        if (s.slot < 0 || s.record.role != kRoleCommand) continue;
        HidDeviceHandle query;
        if (!query.Open(s.record.path, false, false, false, false)) continue;
        devices.push_back({s.record, query.Attributes().versionNumber});
    }
    return devices;
}

const char* KindName(int kind) {
    switch (kind) {
        case 0: return "program";
        case 1: return "keyboard";
        case 2: return "mouse";
        default: return "?";
    }
}

const char* RowStateName(const online::UpdateInfo& row, bool checked) {
    if (!checked) return "not checked";
    if (!row.answered) return "no answer";
    return row.state == online::kRowCurrent ? "up to date" : "update available";
}

const char* PageStateName(online::UpdatePageState state) {
    switch (state) {
        case online::kPageUpdatesAvailable: return "updates available";
        case online::kPageUpToDate: return "up to date";
        case online::kPageCheckOff: return "not checked";
        default: return "no information";
    }
}

const char* PageStateSentence(online::UpdatePageState state) {
    switch (state) {
        case online::kPageUpdatesAvailable: return "Updates are available.";
        case online::kPageUpToDate: return "Everything is up to date.";
        case online::kPageCheckOff: return "This build does not check for updates.";
        default: return "No update information could be obtained.";
    }
}

}  // namespace

int UpdatesCommand(const GlobalOptions&, const Args& args) {
    bool json = false;
    for (const std::string& arg : args) {
        if (arg != "--json") return Fail(kExitUsage, "updates takes only --json");
        json = true;
    }
    const std::vector<UpdateIdentity> rows = online::RowsToCheck(ConnectedDevices());
    const online::UpdateService service = online::UpdateServiceFromEnvironment();
    QuietView view;
    const online::UpdateCheckResult result =
        online::RunUpdateCheck(rows, service, online::UpdateTimeFilePath(), view);

    if (json) {
        Json::Value document(Json::objectValue);
        document["service"] = service.baseUrl;
        document["state"] = PageStateName(result.pageState);
        document["rows"] = Json::Value(Json::arrayValue);
        for (size_t i = 0; i < result.rows.size(); ++i) {
            const online::UpdateInfo& row = result.rows[i];
            Json::Value item(Json::objectValue);
            item["name"] = row.name;
            item["kind"] = KindName(rows[i].kind);
            item["installed"] = row.currentVersionText;
            item["newest"] = row.answered ? row.newVersionText : "";
            item["state"] = RowStateName(row, service.enabled);
            item["download"] = row.downloadLocation;
            document["rows"].append(item);
        }
        Json::StreamWriterBuilder writer;
        writer["indentation"] = "  ";
        std::cout << Json::writeString(writer, document) << "\n";
    } else {
        std::printf("%-30s %-10s %-10s %s\n", "ITEM", "INSTALLED", "NEWEST", "STATE");
        for (const online::UpdateInfo& row : result.rows) {
            const std::string newest = row.answered && !row.newVersionText.empty() ? row.newVersionText : "-";
            std::printf("%-30s %-10s %-10s %s\n", row.name.c_str(), row.currentVersionText.c_str(), newest.c_str(),
                        RowStateName(row, service.enabled));
        }
        std::printf("%s\n", PageStateSentence(result.pageState));
    }
    const bool answers = result.pageState == online::kPageUpdatesAvailable || result.pageState == online::kPageUpToDate;
    return answers ? kExitOk : kExitNotAnswering;
}

}  // namespace orvane::tool

#include "online/UpdateCheck.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "online/HttpClient.h"
#include "online/UpdateTime.h"

namespace orvane::online {
namespace {

constexpr const char* kProgramRowName = "ORVANE Q730 Gaming Mouse:";

bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsDeviceRow(const UpdateIdentity& row) { return row.kind != 0; }

std::string DisplayName(const UpdateIdentity& row) {
    return SameNoCase(row.chip, "ALL") ? kProgramRowName : row.displayName;
}

}  // namespace

uint32_t VersionNumberFromText(std::string_view text) {
    uint64_t value = 0;
    for (char c : text) {
        if (c == '.') continue;
        if (c < '0' || c > '9') break;
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(c - '0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(value);
}

uint32_t ReadInstalledVersion() { return VersionNumberFromText(ORVANE_VERSION); }

std::vector<UpdateIdentity> RowsToCheck(const std::vector<ConnectedDevice>& devices, uint32_t programVersion) {
    auto rows = UpdateIdentities();
    const size_t programRow = rows.size() - 1;
    for (const ConnectedDevice& device : devices) {
        const DeviceRecord& r = device.record;
        const uint16_t type = r.type == kDeviceSlowLinkMouse ? uint16_t{kDeviceMouse} : r.type;
        const int row = FindCatalogueRow(r.vid, r.pid, type, r.role);
        if (row >= 0 && static_cast<size_t>(row) < programRow) rows[static_cast<size_t>(row)].versionNumber = device.versionNumber;
    }
    rows[programRow].versionNumber = programVersion;
    std::vector<UpdateIdentity> checked;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(checked),
                 [](const UpdateIdentity& row) { return row.versionNumber != 0; });
    return checked;
}

UpdateInfo UnansweredRow(const UpdateIdentity& row) {
    char version[16];
    std::snprintf(version, sizeof version, IsDeviceRow(row) ? "V%04x" : "V0%u", row.versionNumber);
    UpdateInfo info;
    info.state = kRowCurrent;
    info.name = DisplayName(row);
    info.currentVersionText = version;
    return info;
}

UpdateCheckResult RunUpdateCheck(const std::vector<UpdateIdentity>& rows, const UpdateService& service,
                                 const std::string& dateFile, UpdateCheckView& view, HttpCancel* cancel) {
    UpdateCheckResult result;
    view.ShowUpdatePageState(kPageChecking);
    for (const UpdateIdentity& row : rows) {
        result.rows.push_back(UnansweredRow(row));
        view.AddUpdateRow(result.rows.back());
    }
    if (!service.enabled) {
        result.pageState = kPageCheckOff;
        result.finished = true;
        view.ShowUpdatePageState(result.pageState);
        return result;
    }

    for (size_t k = 0; k < rows.size(); ++k) {
        if (cancel != nullptr && cancel->IsCancelled()) return result;
        const UpdateIdentity& row = rows[k];
        UpdateInfo info = CheckUpdate(BuildAppKey(row), row.versionNumber, IsDeviceRow(row), service, cancel);
        if (!info.replied) ++result.failures;
        const bool answered = info.replied && !info.name.empty() && !SameNoCase(info.name, kNoLinkName);
        if (!answered) {
            const bool replied = info.replied;
            info = UnansweredRow(row);
            info.replied = replied;
        }
        info.answered = answered;
        info.name = DisplayName(row);
        result.rows[k] = info;
        view.FillUpdateRow(info, k);
        if (k == 0 && !dateFile.empty()) WriteLastCheckDate(dateFile, TodayText());
    }

    bool updateExists = false;
    for (size_t k = 0; k < result.rows.size(); ++k) {
        if (result.rows[k].state == kRowCurrent || result.rows[k].state == kRowNew) continue;
        view.OfferUpdate(k);
        updateExists = true;
    }
    result.pageState = updateExists                          ? kPageUpdatesAvailable
                       : result.failures == result.rows.size() ? kPageNoInformation
                                                               : kPageUpToDate;
    result.finished = true;
    view.ShowUpdatePageState(result.pageState);
    return result;
}

}  // namespace orvane::online

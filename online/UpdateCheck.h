#pragma once
// The update check: for every row to check (the program and each connected device), one question
// to the update service, the rows shown as they are added and answered, and the page's state at
// the end. The same check runs behind the settings window and `orvanectl updates`.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/DeviceCatalogue.h"
#include "online/UpdateRequest.h"
#include "online/UpdateService.h"

namespace orvane::online {

class HttpCancel;

// The status line of the update page (UpdatePageState).
enum UpdatePageState : int {
    kPageChecking = 0,
    kPageUpdatesAvailable = 1,
    kPageNoInformation = 2,
    kPageUpdating = 3,
    kPageUpToDate = 4,
    kPageCheckOff = 5,  // this build does not check for updates
};

// Where the check shows its progress. Called on the checking thread, in this order: the page
// state (checking), one AddUpdateRow per row, one FillUpdateRow per answered row, OfferUpdate for
// each row with an update, the final page state.
class UpdateCheckView {
public:
    virtual ~UpdateCheckView() = default;
    virtual void ShowUpdatePageState(UpdatePageState state) = 0;
    virtual void AddUpdateRow(const UpdateInfo& info) = 0;
    virtual void FillUpdateRow(const UpdateInfo& info, size_t index) = 0;
    // The row has an update: select it and offer the update button.
    virtual void OfferUpdate(size_t index) = 0;
};

struct UpdateCheckResult {
    std::vector<UpdateInfo> rows;
    size_t failures = 0;  // rows that got no well-formed reply
    UpdatePageState pageState = kPageChecking;
    bool finished = false;  // false when cancelled before the last row
};

// The program's version number: the project version compiled in, dots removed ("1.0.0" is 100).
uint32_t ReadInstalledVersion();
// "1.2.3" → 123: every dot removed, then the leading decimal digits; none gives 0.
uint32_t VersionNumberFromText(std::string_view text);

// A device whose command interface is open, with the version number of its HID attributes.
struct ConnectedDevice {
    DeviceRecord record;
    uint16_t versionNumber = 0;
};

// The update identity rows with their version numbers: each connected device's catalogue row and
// the program row (`programVersion`); only rows whose number is not 0, in table order.
std::vector<UpdateIdentity> RowsToCheck(const std::vector<ConnectedDevice>& devices,
                                        uint32_t programVersion = ReadInstalledVersion());

// The row's text before its answer: its display name ("ORVANE Q730 Gaming Mouse:" for the program
// row) and its version number ("V%04x" for a device, "V0%d" for the program).
UpdateInfo UnansweredRow(const UpdateIdentity& row);

// Runs the check. After the first answer "updatetime.config" at `dateFile` takes today's date
// (nothing is written for an empty path). A cancel ends it before the next row. The page ends in
// kPageUpdatesAvailable when a row has an update, kPageNoInformation when no row got a
// well-formed reply (also with no rows), else kPageUpToDate; kPageCheckOff when the service is
// not enabled, with every row shown unasked.
UpdateCheckResult RunUpdateCheck(const std::vector<UpdateIdentity>& rows, const UpdateService& service,
                                 const std::string& dateFile, UpdateCheckView& view, HttpCancel* cancel = nullptr);

}  // namespace orvane::online

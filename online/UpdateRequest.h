#pragma once
// One question to the update service and its answer: the app key of an update identity row, the
// form body, and the reply read into an UpdateInfo.
//
// Request: POST <service>/api/updates, body "app_key=<key>&version=<n>" (n in lower-case
// hexadecimal for a device row, decimal for the program row) sent with its terminating zero byte.
// Reply: a JSON object with the strings "path", "name", "version_name", "version" and the integer
// "device_id", each of which may be missing.

#include <cstdint>
#include <string>
#include <string_view>

#include "device/DeviceCatalogue.h"

namespace orvane::online {

class HttpCancel;
struct UpdateService;

// How a row of the update list looks and what it offers (UpdateRowState).
enum UpdateRowState : int {
    kRowNew = 0,
    kRowUpdateFound = 1,  // 1 and 2: a newer version exists
    kRowUpdateFound2 = 2,
    kRowQueued = 3,
    kRowUpdating = 4,  // 4 and 6: being updated
    kRowUpdated = 5,
    kRowUpdating2 = 6,
    kRowCurrent = 7,  // up to date, or no answer
    kRowUpdateFailed = 8,
};

// The result of one check for one row.
struct UpdateInfo {
    int state = kRowNew;
    int deviceId = 0;  // "device_id"
    std::string name;  // empty: the service gave no answer for the row
    std::string currentVersionText;
    std::string newVersionText;
    std::string versionName;       // "version_name"
    std::string downloadLocation;  // "path"
    bool replied = false;          // a well-formed reply arrived (its name may still be empty)
    bool answered = false;         // the reply named the row: its state and new version are the service's
};

// The reply buffer's size; a longer reply is cut and so read as no answer.
inline constexpr size_t kUpdateReplyBufferSize = 102400;
// Longest text member taken from a reply.
inline constexpr size_t kMaxReplyText = 2048;
inline constexpr const char* kNoLinkName = "NO_LINK_SERVER";

// "NULL" for a row whose version number is 0, else vendor_kind_chip_model_group.
std::string BuildAppKey(const UpdateIdentity& row);

// "app_key=<key>&version=<n>", as the service reads it (UTF-8, not percent-encoded).
std::string UpdateRequestBody(const std::string& appKey, uint32_t version, bool hexadecimal);

// The row as the service's reply describes it, for a row at `version`. A reply that is not a
// JSON object, or whose members have other types or overlong texts, gives an empty UpdateInfo
// (not replied). The newest version is the leading digits of "version" (hexadecimal for a device
// row): state kRowUpdateFound when it is above `version`, else kRowCurrent.
UpdateInfo ReadUpdateReply(std::string_view reply, uint32_t version, bool hexadecimal);

// Asks the service about one row. The name is kNoLinkName when the request could not be sent.
UpdateInfo CheckUpdate(const std::string& appKey, uint32_t version, bool hexadecimal, const UpdateService& service,
                       HttpCancel* cancel = nullptr);

}  // namespace orvane::online

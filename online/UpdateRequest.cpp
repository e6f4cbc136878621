#include "online/UpdateRequest.h"

#include <cstdio>
#include <vector>

#include "online/HttpClient.h"
#include "online/UpdateService.h"
#include "profiles/JsonFileStore.h"

namespace orvane::online {
namespace {

std::string Format(const char* format, uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The leading digits of `text` in `base` (10 or 16); none gives 0, too many saturate.
uint64_t LeadingNumber(std::string_view text, int base) {
    uint64_t value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) break;
        if (value > (UINT64_MAX - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base)) return UINT64_MAX;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    return value;
}

// A missing or null member reads as empty; any other type, or an overlong text, refuses the reply.
bool ReadText(const Json::Value& root, const char* key, std::string& out) {
    const Json::Value& value = root[key];
    if (value.isNull()) return true;
    if (!value.isString() || value.asString().size() > kMaxReplyText) return false;
    out = value.asString();
    return true;
}

}  // namespace

std::string BuildAppKey(const UpdateIdentity& row) {
    if (row.versionNumber == 0) return "NULL";
    return std::string(row.vendor) + "_" + std::to_string(row.kind) + "_" + row.chip + "_" + row.model + "_" +
           std::to_string(row.group);
}

std::string UpdateRequestBody(const std::string& appKey, uint32_t version, bool hexadecimal) {
    return ToProfileText("app_key=" + appKey + "&version=" + Format(hexadecimal ? "%x" : "%u", version));
}

UpdateInfo ReadUpdateReply(std::string_view reply, uint32_t version, bool hexadecimal) {
    Json::Value root;
    if (!ParseJsonText(reply, root) || !root.isObject()) return {};
    UpdateInfo info;
    std::string newest;
    const Json::Value& deviceId = root["device_id"];
    if (!ReadText(root, "path", info.downloadLocation) || !ReadText(root, "name", info.name) ||
        !ReadText(root, "version_name", info.versionName) || !ReadText(root, "version", newest) ||
        !(deviceId.isNull() || deviceId.isInt())) {
        return {};
    }
    info.deviceId = deviceId.isNull() ? 0 : deviceId.asInt();
    info.replied = true;
    info.newVersionText = "V" + newest;
    uint64_t newestNumber = 0;
    if (hexadecimal) {
        newestNumber = LeadingNumber(newest, 16);
        info.currentVersionText = Format("V%04x", version);
    } else {
        newestNumber = LeadingNumber(newest, 10);
        info.currentVersionText = Format("V%u", version);
        info.newVersionText = info.versionName;
    }
    info.state = newestNumber > version ? kRowUpdateFound : kRowCurrent;
    return info;
}

UpdateInfo CheckUpdate(const std::string& appKey, uint32_t version, bool hexadecimal, const UpdateService& service,
                       HttpCancel* cancel) {
    const std::string body = UpdateRequestBody(appKey, version, hexadecimal);
    ResetHttpClientSettings();
    HttpSettings().caFile = service.caFile;
    std::vector<uint8_t> reply(kUpdateReplyBufferSize, 0);
    // The terminating zero byte goes with the body, counted in Content-Length.
    const int32_t received = HttpRequest("POST", service.UpdatesUrl(), body.c_str(),
                                         static_cast<int32_t>(body.size() + 1), reply, cancel);
    if (received <= 0) {
        UpdateInfo info;
        const std::string_view start(reinterpret_cast<const char*>(reply.data()), kNoLinkMarker.size());
        if (start == kNoLinkMarker) info.name = kNoLinkName;
        return info;
    }
    return ReadUpdateReply(std::string_view(reinterpret_cast<const char*>(reply.data()), static_cast<size_t>(received)),
                           version, hexadecimal);
}

}  // namespace orvane::online

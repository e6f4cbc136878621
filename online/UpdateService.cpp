#include "online/UpdateService.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "platform/DebugLog.h"

namespace orvane::online {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool IsServiceUrl(std::string_view url) {
    const bool scheme = StartsWithNoCase(url, "https://") || StartsWithNoCase(url, "http://");
    return scheme && url.find("://") + 3 < url.size() &&
           std::none_of(url.begin(), url.end(), [](unsigned char c) { return c <= ' ' || c == 0x7F; });
}

std::string WithoutTrailingSlashes(std::string url) {
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

}  // namespace

bool UpdateChecksBuiltIn() { return ORVANE_UPDATE_CHECK_BUILT_IN != 0; }

UpdateService UpdateServiceFromEnvironment() {
    UpdateService service;
    service.enabled = UpdateChecksBuiltIn();
    service.baseUrl = WithoutTrailingSlashes(ORVANE_UPDATE_DEFAULT_URL);
    if (const char* url = std::getenv("ORVANE_UPDATE_URL"); url != nullptr && *url != '\0') {
        if (IsServiceUrl(url)) {
            service.baseUrl = WithoutTrailingSlashes(url);
        } else {
            DebugLog(std::string("ORVANE_UPDATE_URL ignored: not an http or https URL: ") + url);
        }
    }
    if (const char* ca = std::getenv("ORVANE_UPDATE_CA"); ca != nullptr) service.caFile = ca;
    return service;
}

}  // namespace orvane::online

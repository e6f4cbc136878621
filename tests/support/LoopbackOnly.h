#pragma once
// For test programs that make HTTP requests: only to servers on the loopback interface. No proxy
// from the environment, and the desktop's proxy settings in GSettings' memory backend (mode
// "none" unless a test sets them), so nothing reaches a real proxy or the real network.

#include <cstdlib>

namespace orvane::test {

inline const bool kLoopbackOnly = [] {
    for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
                             "no_proxy", "NO_PROXY", "ORVANE_UPDATE_URL", "ORVANE_UPDATE_CA"}) {
        ::unsetenv(name);
    }
    return ::setenv("GSETTINGS_BACKEND", "memory", 1) == 0;
}();

}  // namespace orvane::test

#pragma once
// Where the update check asks, and whether it asks at all. The service's base URL is the build's
// (CMake option ORVANE_UPDATE_URL, https by default); the environment variable of the same name
// replaces it, and ORVANE_UPDATE_CA names a CA file to trust besides the system's (for tests and
// sites with a mirror of their own). A build made with ORVANE_UPDATE_CHECK=OFF never asks.

#include <string>

namespace orvane::online {

struct UpdateService {
    bool enabled = false;
    std::string baseUrl;  // "https://host[:port][/prefix]", no trailing slash
    std::string caFile;
    // The request's address: the base URL, then "/api/" and "updates".
    std::string UpdatesUrl() const { return baseUrl + "/api/" + "updates"; }
};

// Whether this build checks for updates at all.
bool UpdateChecksBuiltIn();

// The service as the build and the environment name it. A variable holding anything but an
// http or https URL is ignored, with a debug line.
UpdateService UpdateServiceFromEnvironment();

}  // namespace orvane::online

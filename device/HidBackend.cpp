#include "device/HidBackend.h"

#include <cstdlib>
#include <mutex>

#include "device/HidrawBackend.h"

namespace orvane {
namespace {

std::mutex& BackendMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<HidBackend>& BackendSlot() {
    static std::shared_ptr<HidBackend> backend;
    return backend;
}

std::string EnvOr(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0' ? v : fallback;
}

}  // namespace

std::shared_ptr<HidBackend> ActiveHidBackend() {
    std::lock_guard lock(BackendMutex());
    auto& slot = BackendSlot();
    // ORVANE_SYSFS_ROOT / ORVANE_DEV_DIR point the real backend at another tree (diagnosis, benches).
    if (!slot) slot = std::make_shared<HidrawBackend>(EnvOr("ORVANE_SYSFS_ROOT", "/sys"), EnvOr("ORVANE_DEV_DIR", "/dev"));
    return slot;
}

void SetActiveHidBackend(std::shared_ptr<HidBackend> backend) {
    std::lock_guard lock(BackendMutex());
    BackendSlot() = std::move(backend);
}

}  // namespace orvane

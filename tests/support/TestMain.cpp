// Test entry point: no test may reach a real HID node, so the process starts on a bus with no
// devices; fixtures that need devices install the emulated bus or a fixture hidraw tree.
#include <gtest/gtest.h>

#include "device/EventFd.h"
#include "device/HidBackend.h"
#include "platform/DebugLog.h"

namespace {

// Nothing ever comes or goes, so its monitor never fires.
class SilentMonitor final : public orvane::HidChangeMonitor {
public:
    int Fd() const override { return event_.Fd(); }
    bool Drain() override { return true; }

private:
    orvane::EventFd event_;
};

class NoDevicesBackend final : public orvane::HidBackend {
public:
    bool ListNodes(std::vector<orvane::HidNodeInfo>& nodes) override {
        nodes.clear();
        return true;
    }
    std::optional<orvane::HidNodeInfo> QueryNode(const std::string&) override { return std::nullopt; }
    int OpenNode(const std::string&, bool, bool) override { return -ENODEV; }
    std::unique_ptr<orvane::HidChangeMonitor> WatchChanges() override { return std::make_unique<SilentMonitor>(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    orvane::SetActiveHidBackend(std::make_shared<NoDevicesBackend>());
    orvane::SetDebugSink(nullptr);
    return RUN_ALL_TESTS();
}

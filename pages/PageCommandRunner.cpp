#include "pages/PageCommandRunner.h"

#include "platform/DebugLog.h"

namespace orvane {

PageCommandRunner::PageCommandRunner(std::shared_ptr<UiThreadGate> gate, std::function<void(bool busy)> onBusy)
    : gate_(std::move(gate)), onBusy_(std::move(onBusy)) {}

DeviceOutcome PageCommandRunner::Run(DeviceSequence sequence, OutcomeHandler done) {
    const bool posted = worker_.Post([this, gate = gate_, sequence = std::move(sequence), done = std::move(done)]() mutable {
        auto result = std::make_shared<SequenceResult>(sequence());
        // `this` is only touched on the UI thread, and only while the page's gate is open.
        gate->Post([this, result, done = std::move(done)] { Finished(*result, done); });
    });
    if (!posted) return DeviceOutcome::Refused("too many changes are waiting for the device");
    if (outstanding_++ == 0 && onBusy_) onBusy_(true);
    return DeviceOutcome::Pending();
}

void PageCommandRunner::Finished(SequenceResult& result, const OutcomeHandler& done) {
    if (result.outcome.IsDeviceFailure()) {
        DebugLog("device command failed: " + std::string(result.outcome.failure.command) + " result " +
                 std::to_string(result.outcome.failure.result));
    }
    if (result.take) result.take();
    if (done) done(result.outcome);
    if (--outstanding_ == 0 && onBusy_) onBusy_(false);
}

}  // namespace orvane

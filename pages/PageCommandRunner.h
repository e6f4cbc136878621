#pragma once
// A device page's SequenceRunner: the family core's device sequences run on the device's command
// worker, one after another in the order they were asked for, so the UI thread never waits for a
// device; each result comes back to the UI thread, where its values are taken and its handler
// runs. The page hears when the device becomes busy and when it is idle again.

#include <functional>
#include <memory>

#include "ui/framework/UiThreadGate.h"
#include "platform/CommandWorker.h"
#include "protocol/DeviceOutcome.h"

namespace orvane {

class PageCommandRunner final : public SequenceRunner {
public:
    // `onBusy(true)` when a sequence is asked for while none was waiting, `onBusy(false)` once the
    // last one's result has been handled. UI thread.
    PageCommandRunner(std::shared_ptr<UiThreadGate> gate, std::function<void(bool busy)> onBusy);

    // UI thread. Pending, or refused when the worker takes no more.
    DeviceOutcome Run(DeviceSequence sequence, OutcomeHandler done) override;
    // Drops the sequences that have not started and waits for the running one (close the channel
    // first, so it ends at once). Results not yet handled are dropped with the gate.
    void Stop() { worker_.Stop(); }
    // A sequence is waiting, running or its result not yet handled.
    bool Busy() const { return outstanding_ > 0; }

private:
    void Finished(SequenceResult& result, const OutcomeHandler& done);

    std::shared_ptr<UiThreadGate> gate_;
    std::function<void(bool)> onBusy_;
    int outstanding_ = 0;  // UI thread only
    CommandWorker worker_;  // last: stopped before the rest goes
};

}  // namespace orvane

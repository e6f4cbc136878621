#pragma once
// Diagnostic output: one line per call, to a replaceable sink. Silent unless a sink is set.

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class DebugSink {
public:
    virtual ~DebugSink() = default;
    virtual void WriteLine(std::string_view line) = 0;
};

// Writes one line to the current sink (no-op when none). Safe from any thread.
void DebugLog(std::string_view line);

// Replaces the sink; nullptr silences the log. Returns the previous sink.
std::shared_ptr<DebugSink> SetDebugSink(std::shared_ptr<DebugSink> sink);

// Turns the stderr sink on when `forced` is true or ORVANE_DEBUG=1 is set.
void ConfigureDebugLog(bool forced);

class StderrDebugSink final : public DebugSink {
public:
    void WriteLine(std::string_view line) override;
};

// Keeps every line; for tests and tools that show the exchange afterwards.
class CapturingDebugSink final : public DebugSink {
public:
    void WriteLine(std::string_view line) override;
    std::vector<std::string> Lines() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace orvane

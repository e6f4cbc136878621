#include "platform/DebugLog.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvane {
namespace {

std::mutex& SinkMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<DebugSink>& SinkSlot() {
    static std::shared_ptr<DebugSink> sink;
    return sink;
}

std::shared_ptr<DebugSink> CurrentSink() {
    std::lock_guard lock(SinkMutex());
    return SinkSlot();
}

}  // namespace

void DebugLog(std::string_view line) {
    if (auto sink = CurrentSink()) sink->WriteLine(line);
}

std::shared_ptr<DebugSink> SetDebugSink(std::shared_ptr<DebugSink> sink) {
    std::lock_guard lock(SinkMutex());
    std::swap(SinkSlot(), sink);
    return sink;
}

void ConfigureDebugLog(bool forced) {
    const char* env = std::getenv("ORVANE_DEBUG");
    if (forced || (env != nullptr && std::strcmp(env, "1") == 0)) {
        SetDebugSink(std::make_shared<StderrDebugSink>());
    }
}

void StderrDebugSink::WriteLine(std::string_view line) {
    // One fwrite per line keeps lines from different threads whole.
    std::string text(line);
    if (text.empty() || text.back() != '\n') text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stderr);
}

void CapturingDebugSink::WriteLine(std::string_view line) {
    std::lock_guard lock(mutex_);
    lines_.emplace_back(line);
}

std::vector<std::string> CapturingDebugSink::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void CapturingDebugSink::Clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

}  // namespace orvane

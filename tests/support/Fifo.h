#pragma once
// FIFOs in place of data files, and a bounded wait for code that might block on one.

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::test {

inline void MakeFifo(const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path; }

inline bool IsFifo(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// Runs `work` and says whether it returned within `limit`. Work still blocked on the FIFO at
// `fifo` after that is released by opening the FIFO's other end, so that a failing test ends
// instead of hanging.
template <class Work>
bool ReturnsWithin(Work&& work, const std::string& fifo,
                   std::chrono::milliseconds limit = std::chrono::milliseconds(1000)) {
    auto done = std::async(std::launch::async, std::forward<Work>(work));
    if (done.wait_for(limit) == std::future_status::ready) return true;
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
    }
    return false;
}

}  // namespace orvane::test

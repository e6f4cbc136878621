// The command worker: sequences run one after another in the order they were posted, off the
// posting thread; a stop drops what has not started and waits for what runs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "platform/CommandWorker.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

TEST(CommandWorker, RunsJobsInOrderOnItsOwnThread) {
    CommandWorker worker;
    std::mutex mutex;
    std::vector<int> order;
    std::atomic<bool> offThread{true};
    const auto poster = std::this_thread::get_id();
    std::promise<void> done;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(worker.Post([&, i] {
            if (std::this_thread::get_id() == poster) offThread = false;
            std::lock_guard lock(mutex);
            order.push_back(i);
        }));
    }
    ASSERT_TRUE(worker.Post([&] { done.set_value(); }));
    ASSERT_EQ(done.get_future().wait_for(5s), std::future_status::ready);
    std::lock_guard lock(mutex);
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
    EXPECT_TRUE(offThread);
}

TEST(CommandWorker, StopWaitsForTheRunningJobAndDropsTheRest) {
    CommandWorker worker;
    std::promise<void> started;
    std::atomic<bool> release{false};
    std::atomic<int> ran{0};
    ASSERT_TRUE(worker.Post([&] {
        started.set_value();
        while (!release) std::this_thread::sleep_for(1ms);
        ++ran;
    }));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(worker.Post([&] { ++ran; }));
    started.get_future().wait();
    EXPECT_TRUE(worker.Busy());
    std::thread releaser([&] {
        std::this_thread::sleep_for(50ms);
        release = true;
    });
    worker.Stop();
    releaser.join();
    EXPECT_EQ(ran, 1) << "the running job finished, the waiting ones never ran";
    EXPECT_FALSE(worker.Busy());
    EXPECT_FALSE(worker.Post([] {})) << "a stopped worker takes nothing";
}

TEST(CommandWorker, AFullQueueRefusesInsteadOfGrowing) {
    CommandWorker worker;
    std::promise<void> started;
    std::atomic<bool> release{false};
    ASSERT_TRUE(worker.Post([&] {
        started.set_value();
        while (!release) std::this_thread::sleep_for(1ms);
    }));
    started.get_future().wait();
    for (size_t i = 0; i < CommandWorker::kMaxPending; ++i) ASSERT_TRUE(worker.Post([] {}));
    EXPECT_FALSE(worker.Post([] {}));
    release = true;
}

}  // namespace
}  // namespace orvane

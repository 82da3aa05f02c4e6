#include "workbook/NotificationQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace telvainn::excel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(NotificationQueue, NothingPendingWaitsTheWholeBoundAndRunsNothing) {
    NotificationQueue queue;
    const auto start = Clock::now();
    EXPECT_EQ(queue.deliver(100ms), 0);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, 100ms);
    EXPECT_LT(waited, 2s);
    EXPECT_EQ(queue.deliver(0ms), 0);
}

TEST(NotificationQueue, PostedNotificationsRunOnlyWhenDeliveredInPostingOrder) {
    NotificationQueue queue;
    std::vector<int> ran;
    queue.post([&] { ran.push_back(1); });
    queue.post([&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(queue.deliver(0ms), 2);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(queue.deliver(0ms), 0);
    EXPECT_EQ(ran.size(), 2U);
}

TEST(NotificationQueue, APostFromAnotherThreadEndsTheWaitAndRunsOnTheDeliveringThread) {
    NotificationQueue queue;
    std::thread::id ranOn;
    std::thread poster([&] {
        std::this_thread::sleep_for(50ms);
        queue.post([&] { ranOn = std::this_thread::get_id(); });
    });
    const auto start = Clock::now();
    const int delivered = queue.deliver(10s);
    const auto waited = Clock::now() - start;
    poster.join();
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_LT(waited, 5s);
}

TEST(NotificationQueue, TheWakerIsCalledOnThePostingThreadForEveryPost) {
    NotificationQueue queue;
    std::atomic<int> wakes{0};
    std::thread::id wokenOn;
    queue.setWaker([&] {
        wokenOn = std::this_thread::get_id();
        ++wakes;
    });
    std::thread::id posterId;
    std::thread poster([&] {
        posterId = std::this_thread::get_id();
        queue.post([] {});
        queue.post([] {});
    });
    poster.join();
    EXPECT_EQ(wakes.load(), 2);
    EXPECT_EQ(wokenOn, posterId);
    EXPECT_EQ(queue.deliver(0ms), 2);

    queue.setWaker({});
    queue.post([] {});
    EXPECT_EQ(wakes.load(), 2);
    EXPECT_EQ(queue.deliver(0ms), 1);
}

TEST(NotificationQueue, AWakerMayDeliverAndAHandlerMayPostAgain) {
    NotificationQueue queue;
    int ran = 0;
    queue.setWaker([&] { queue.deliver(0ms); });
    queue.post([&] {
        ++ran;
        if (ran == 1) {
            queue.post([&] { ++ran; });
        }
    });
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(queue.deliver(0ms), 0);
}

TEST(NotificationQueue, ManyPostersLoseNothing) {
    NotificationQueue queue;
    std::atomic<int> ran{0};
    std::vector<std::thread> posters;
    for (int t = 0; t < 4; ++t) {
        posters.emplace_back([&] {
            for (int i = 0; i < 250; ++i) {
                queue.post([&] { ++ran; });
            }
        });
    }
    int delivered = 0;
    while (delivered < 1000) {
        const int now = queue.deliver(1s);
        if (now == 0) {
            break;
        }
        delivered += now;
    }
    for (auto& poster : posters) {
        poster.join();
    }
    delivered += queue.deliver(0ms);
    EXPECT_EQ(delivered, 1000);
    EXPECT_EQ(ran.load(), 1000);
}

}  // namespace
}  // namespace telvainn::excel

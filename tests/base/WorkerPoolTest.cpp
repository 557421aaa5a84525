#include "base/WorkerPool.h"
#include "base/OrderedWork.h"

#include <atomic>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <latch>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A job that holds its worker until the test opens the gate.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::latch entered{1};

    WorkerPool::Job job() {
        return [this](std::stop_token) {
            entered.count_down();
            opened.wait();
        };
    }
};

struct OrderCase {
    const char* name;
    int threads; // -1: no pool, every job in take()
    std::size_t count;
    int sharedEvery; // every nth job goes to the pool; 0 none
};

class OrderedWorkTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderedWorkTest, TakesEveryResultInIndexOrderAndRunsEachJobOnce) {
    const OrderCase c = GetParam();
    std::unique_ptr<WorkerPool> pool;
    if (c.threads >= 0) {
        pool = std::make_unique<WorkerPool>(static_cast<unsigned>(c.threads));
    }
    std::vector<std::atomic<int>> runs(c.count);
    std::vector<int> worker(c.count, -2);
    std::vector<std::size_t> seen;
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<char> onCaller(c.count, 0);
    OrderedWork work(
        pool.get(), c.count,
        [&](std::size_t i) { return c.sharedEvery != 0 && i % c.sharedEvery == 0; },
        [&](std::size_t i, std::stop_token) {
            ++runs[i];
            worker[i] = WorkerPool::currentWorker();
            onCaller[i] = std::this_thread::get_id() == caller ? 1 : 0;
        });
    for (std::size_t i = 0; i < c.count; ++i) {
        ASSERT_TRUE(work.take(i)) << i;
        seen.push_back(i);
        EXPECT_EQ(runs[i].load(), 1) << i;
        const bool shared = c.sharedEvery != 0 && i % c.sharedEvery == 0;
        if (!shared || !pool) {
            EXPECT_EQ(onCaller[i], 1) << "a job kept off the pool ran elsewhere: " << i;
        }
        if (onCaller[i] == 0) {
            EXPECT_GE(worker[i], 0);
            EXPECT_LT(worker[i], static_cast<int>(pool->size()));
        } else {
            EXPECT_EQ(worker[i], -1);
        }
    }
    EXPECT_FALSE(work.take(c.count));
    EXPECT_EQ(seen.size(), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Pools, OrderedWorkTest,
    ::testing::Values(OrderCase{"NoPool", -1, 40, 1}, OrderCase{"OneWorker", 1, 40, 1},
                      OrderCase{"EveryCore", 0, 40, 1}, OrderCase{"EightWorkers", 8, 1001, 1},
                      OrderCase{"SomeKeptOff", 3, 100, 3}, OrderCase{"AllKeptOff", 4, 20, 0},
                      OrderCase{"Empty", 2, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WorkerPoolTest, ThreadsForTheSetting) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::vector<std::pair<int, unsigned>> cases{{0, cores}, {-5, cores}, {1, 1},
                                                      {3, 3},     {256, 256},  {100000, 256}};
    for (const auto& [setting, expected] : cases) {
        EXPECT_EQ(WorkerPool::threadsFor(setting), expected) << setting;
    }
    EXPECT_EQ(WorkerPool(0).size(), cores);
    EXPECT_EQ(WorkerPool(2).size(), 2u);
}

TEST(WorkerPoolTest, TakingAQueuedJobRunsItHereAndTheWorkerSkipsIt) {
    WorkerPool pool(1);
    Gate gate;
    auto blocker = pool.submit(gate.job());
    gate.entered.wait();
    std::atomic<int> runs{0};
    std::atomic<int> done{0};
    int ranOn = -2;
    auto task = pool.submit(
        [&](std::stop_token) {
            ++runs;
            ranOn = WorkerPool::currentWorker();
        },
        [&] { ++done; });
    EXPECT_TRUE(task->take());
    EXPECT_EQ(ranOn, -1);
    gate.open.set_value();
    EXPECT_TRUE(blocker->take());
    EXPECT_TRUE(pool.submit([](std::stop_token) {})->take()); // the worker has passed the task
    EXPECT_EQ(runs.load(), 1);
    EXPECT_EQ(done.load(), 1);
    EXPECT_TRUE(task->take());
    EXPECT_EQ(runs.load(), 1);
}

TEST(WorkerPoolTest, TakingARunningJobWaitsForItsWorker) {
    WorkerPool pool(2);
    Gate gate;
    std::atomic<int> runs{0};
    auto task = pool.submit([&](std::stop_token stop) {
        ++runs;
        gate.job()(stop);
    });
    gate.entered.wait();
    auto taken = std::async(std::launch::async, [&] { return task->take(); });
    EXPECT_EQ(taken.wait_for(20ms), std::future_status::timeout);
    EXPECT_FALSE(task->ended());
    gate.open.set_value();
    EXPECT_TRUE(taken.get());
    EXPECT_TRUE(task->ended());
    EXPECT_EQ(runs.load(), 1);
}

struct CancelCase {
    const char* name;
    bool wholePool; // cancelAll, else each task
};

class WorkerPoolCancelTest : public ::testing::TestWithParam<CancelCase> {};

TEST_P(WorkerPoolCancelTest, QueuedJobsNeverRunAndTheRunningOneIsAskedToStop) {
    WorkerPool pool(1);
    std::atomic<bool> stopSeen{false};
    std::latch entered{1};
    auto running = pool.submit([&](std::stop_token stop) {
        entered.count_down();
        while (!stop.stop_requested()) {
            std::this_thread::sleep_for(1ms);
        }
        stopSeen = true;
    });
    entered.wait();
    std::atomic<int> queuedRuns{0};
    std::atomic<int> queuedDone{0};
    std::vector<std::shared_ptr<WorkerPool::Task>> queued;
    for (int i = 0; i < 5; ++i) {
        queued.push_back(
            pool.submit([&](std::stop_token) { ++queuedRuns; }, [&] { ++queuedDone; }));
    }
    if (GetParam().wholePool) {
        pool.cancelAll();
    } else {
        running->cancel();
        for (const auto& task : queued) {
            task->cancel();
        }
    }
    EXPECT_TRUE(running->take());
    EXPECT_TRUE(stopSeen.load());
    for (const auto& task : queued) {
        EXPECT_FALSE(task->take());
        EXPECT_TRUE(task->ended());
    }
    EXPECT_TRUE(pool.submit([](std::stop_token) {})->take()); // the pool still works
    EXPECT_EQ(queuedRuns.load(), 0);
    EXPECT_EQ(queuedDone.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, WorkerPoolCancelTest,
                         ::testing::Values(CancelCase{"EachTask", false},
                                           CancelCase{"WholePool", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WorkerPoolTest, DestroyingThePoolStopsRunningJobsAndLeavesNoThread) {
    std::atomic<int> finished{0};
    std::atomic<int> began{0};
    std::vector<std::shared_ptr<WorkerPool::Task>> tasks;
    {
        WorkerPool pool(3);
        for (int i = 0; i < 10; ++i) {
            tasks.push_back(pool.submit([&](std::stop_token stop) {
                ++began;
                while (!stop.stop_requested()) {
                    std::this_thread::sleep_for(1ms);
                }
                ++finished;
            }));
        }
        while (began.load() < 3) {
            std::this_thread::sleep_for(1ms);
        }
    }
    // Every thread was joined, so every job that began has finished.
    EXPECT_EQ(finished.load(), began.load());
    EXPECT_EQ(began.load(), 3);
    for (const auto& task : tasks) {
        EXPECT_TRUE(task->ended());
    }
}

TEST(WorkerPoolTest, DestroyingOrderedWorkCancelsItsJobsAndWaitsForTheRunningOnes) {
    WorkerPool pool(2);
    std::atomic<int> began{0};
    std::atomic<int> finished{0};
    {
        OrderedWork work(
            &pool, 50, [](std::size_t) { return true; },
            [&](std::size_t, std::stop_token stop) {
                ++began;
                while (!stop.stop_requested()) {
                    std::this_thread::sleep_for(1ms);
                }
                ++finished;
            });
        while (began.load() < 2) {
            std::this_thread::sleep_for(1ms);
        }
    }
    EXPECT_EQ(finished.load(), began.load());
    EXPECT_EQ(began.load(), 2);
    EXPECT_TRUE(pool.submit([](std::stop_token) {})->take());
}

} // namespace

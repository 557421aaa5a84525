#pragma once

#include "base/WorkerPool.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <stop_token>
#include <vector>

// One job per index, run by a worker pool while the caller takes the results in index order.
// Jobs that must run on the caller's thread (shared is false for them) are left to take(), which
// runs them inline when their turn comes; so the caller sees every job done in order, exactly as
// a serial loop would, whatever the workers did meanwhile. Without a pool everything is serial.
// Destroying the work cancels the jobs not begun and waits for the running ones.
class OrderedWork {
public:
    using Job = std::function<void(std::size_t, std::stop_token)>;

    OrderedWork(WorkerPool* pool, std::size_t count, std::function<bool(std::size_t)> shared,
                Job job);
    ~OrderedWork();
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;

    // Returns once job index is done, running it here when no worker has begun it. False when
    // the work was cancelled before the job began.
    bool take(std::size_t index);
    // Jobs not begun never run; running ones are asked to stop. Does not wait.
    void cancel();

private:
    std::size_t m_count;
    Job m_job;
    std::stop_source m_stop;
    std::vector<std::shared_ptr<WorkerPool::Task>> m_tasks; // empty entries run in take()
};

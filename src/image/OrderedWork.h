#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Runs one job per index on worker threads while the caller takes the results in index order.
// Jobs that must run on the caller's thread (shared is false for them) are left to take(), which
// runs them inline when their turn comes; so the caller sees every job done in order, exactly as
// a serial loop would, whatever the workers did meanwhile. With no workers everything is serial.
class OrderedWork {
public:
    OrderedWork(std::size_t count, std::function<bool(std::size_t)> shared,
                std::function<void(std::size_t)> job, unsigned workers);
    ~OrderedWork();
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;

    // Returns once job index is done (running it here when it is not shared).
    void take(std::size_t index);

private:
    void work();

    std::size_t m_count;
    std::function<bool(std::size_t)> m_shared;
    std::function<void(std::size_t)> m_job;
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::vector<char> m_finished;
    std::size_t m_next = 0;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

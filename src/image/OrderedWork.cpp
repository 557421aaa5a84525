#include "image/OrderedWork.h"

OrderedWork::OrderedWork(std::size_t count, std::function<bool(std::size_t)> shared,
                         std::function<void(std::size_t)> job, unsigned workers)
    : m_count(count), m_shared(std::move(shared)), m_job(std::move(job)), m_finished(count, 0) {
    for (unsigned i = 0; i < workers && count > 0; ++i) {
        m_threads.emplace_back(&OrderedWork::work, this);
    }
}

OrderedWork::~OrderedWork() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    for (std::thread& t : m_threads) {
        t.join();
    }
}

void OrderedWork::work() {
    for (;;) {
        std::size_t index = 0;
        {
            const std::lock_guard lock(m_mutex);
            while (m_next < m_count && !m_shared(m_next)) {
                ++m_next;
            }
            if (m_stop || m_next >= m_count) {
                return;
            }
            index = m_next++;
        }
        m_job(index);
        {
            const std::lock_guard lock(m_mutex);
            m_finished[index] = 1;
        }
        m_done.notify_all();
    }
}

void OrderedWork::take(std::size_t index) {
    if (index >= m_count) {
        return;
    }
    if (m_threads.empty() || !m_shared(index)) {
        m_job(index);
        return;
    }
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return m_finished[index] != 0; });
}

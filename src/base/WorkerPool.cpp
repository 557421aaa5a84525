#include "base/WorkerPool.h"

#include <algorithm>

namespace {

constexpr unsigned kMostThreads = 256;

thread_local int t_workerNumber = -1;

} // namespace

WorkerPool::Task::Task(Job job, std::function<void()> done)
    : m_job(std::move(job)), m_done(std::move(done)) {
}

bool WorkerPool::Task::runIfQueued() {
    Job job;
    {
        const std::lock_guard lock(m_mutex);
        if (m_state != State::Queued) {
            return false;
        }
        m_state = State::Running;
        job = std::move(m_job);
    }
    job(m_stop.get_token());
    if (m_done) {
        m_done();
    }
    {
        const std::lock_guard lock(m_mutex);
        m_state = State::Done;
        m_done = nullptr;
    }
    m_ended.notify_all();
    return true;
}

bool WorkerPool::Task::take() {
    if (runIfQueued()) {
        return true;
    }
    std::unique_lock lock(m_mutex);
    m_ended.wait(lock, [this] { return m_state == State::Done || m_state == State::Cancelled; });
    return m_state == State::Done;
}

void WorkerPool::Task::cancel() {
    {
        const std::lock_guard lock(m_mutex);
        if (m_state == State::Queued) {
            m_state = State::Cancelled;
            m_job = nullptr;
            m_done = nullptr;
        }
    }
    m_stop.request_stop();
    m_ended.notify_all();
}

bool WorkerPool::Task::ended() const {
    const std::lock_guard lock(m_mutex);
    return m_state == State::Done || m_state == State::Cancelled;
}

unsigned WorkerPool::threadsFor(int setting) {
    if (setting <= 0) {
        return std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    }
    return std::min(static_cast<unsigned>(setting), kMostThreads);
}

WorkerPool::WorkerPool(unsigned threads) {
    const unsigned count = threads == 0 ? threadsFor(0) : std::min(threads, kMostThreads);
    m_running.resize(count);
    for (unsigned i = 0; i < count; ++i) {
        m_threads.emplace_back(&WorkerPool::work, this, static_cast<int>(i));
    }
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    cancelAll();
    m_queued.notify_all();
    for (std::thread& t : m_threads) {
        t.join();
    }
}

std::shared_ptr<WorkerPool::Task> WorkerPool::submit(Job job, std::function<void()> done) {
    auto task = std::make_shared<Task>(std::move(job), std::move(done));
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping) {
            task->cancel();
            return task;
        }
        m_queue.push_back(task);
    }
    m_queued.notify_one();
    return task;
}

void WorkerPool::cancelAll() {
    const std::lock_guard lock(m_mutex);
    for (const auto& task : m_queue) {
        task->cancel();
    }
    m_queue.clear();
    for (const auto& task : m_running) {
        if (task) {
            task->cancel();
        }
    }
}

int WorkerPool::currentWorker() {
    return t_workerNumber;
}

void WorkerPool::work(int number) {
    t_workerNumber = number;
    const auto slot = static_cast<std::size_t>(number);
    for (;;) {
        std::shared_ptr<Task> task;
        {
            std::unique_lock lock(m_mutex);
            m_queued.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_queue.empty()) {
                return;
            }
            task = std::move(m_queue.front());
            m_queue.pop_front();
            m_running[slot] = task;
        }
        task->runIfQueued();
        const std::lock_guard lock(m_mutex);
        m_running[slot].reset();
    }
}

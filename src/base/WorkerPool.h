#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

// The one set of worker threads for work that is independent per file (previews while a folder
// loads, previews ahead of the operator, reading sheets). Jobs run in the order they were queued.
// A job gets a stop token and is expected to look at it between steps; a job that stops early
// must leave no half-written file behind (write under a temporary name, rename into place).
//
// Whoever queued a job keeps its Task: take() runs the job on the calling thread when no worker
// has begun it yet, or waits for the worker that has, so a job is never done twice and a caller
// in a hurry never waits behind the queue. The UI thread queues jobs with a done callback that
// posts back to itself; a command-line run simply takes its tasks in order.
class WorkerPool {
public:
    using Job = std::function<void(std::stop_token)>;

    class Task {
    public:
        explicit Task(Job job, std::function<void()> done);
        Task(const Task&) = delete;
        Task& operator=(const Task&) = delete;

        // Returns once the job has ended, running it here if no worker has begun it. True when
        // the job ran (perhaps stopped early); false when it was cancelled before it began.
        bool take();
        // Runs the job here if nobody has begun it; false otherwise (workers call this).
        bool runIfQueued();
        // A job not begun never runs; a running job is asked to stop.
        void cancel();
        // The job ran to its end or was cancelled before it began.
        bool ended() const;

    private:
        enum class State { Queued, Running, Done, Cancelled };

        mutable std::mutex m_mutex;
        std::condition_variable m_ended;
        State m_state = State::Queued;
        Job m_job;
        std::function<void()> m_done;
        std::stop_source m_stop;
    };

    // threads 0: one per core.
    explicit WorkerPool(unsigned threads = 0);
    // Cancels every job not begun, asks the running ones to stop, and joins every thread.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The number of workers for the setting "Threads": 0 or less is one per core; at most 256.
    static unsigned threadsFor(int setting);
    unsigned size() const { return static_cast<unsigned>(m_threads.size()); }

    // Queues job. done, when given, is called on the thread that ran the job, right after it
    // ended and before take() returns there; it is not called for a job cancelled before it
    // began. A UI hands in a done that posts to its own thread.
    std::shared_ptr<Task> submit(Job job, std::function<void()> done = {});
    // Cancels every queued job and asks every running one to stop; does not wait.
    void cancelAll();

    // The number of the worker running the calling thread (0 .. size()-1); -1 on other threads.
    static int currentWorker();

private:
    void work(int number);

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<std::shared_ptr<Task>> m_queue;
    std::vector<std::shared_ptr<Task>> m_running; // one slot per worker
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

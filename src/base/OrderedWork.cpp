#include "base/OrderedWork.h"

OrderedWork::OrderedWork(WorkerPool* pool, std::size_t count,
                         std::function<bool(std::size_t)> shared, Job job)
    : m_count(count), m_job(std::move(job)), m_tasks(count) {
    if (pool == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (shared(i)) {
            m_tasks[i] =
                pool->submit([this, i](std::stop_token stop) { m_job(i, std::move(stop)); });
        }
    }
}

OrderedWork::~OrderedWork() {
    cancel();
    for (const auto& task : m_tasks) {
        if (task) {
            task->take();
        }
    }
}

bool OrderedWork::take(std::size_t index) {
    if (index >= m_count) {
        return false;
    }
    if (const auto& task = m_tasks[index]) {
        return task->take();
    }
    if (m_stop.stop_requested()) {
        return false;
    }
    m_job(index, m_stop.get_token());
    return true;
}

void OrderedWork::cancel() {
    m_stop.request_stop();
    for (const auto& task : m_tasks) {
        if (task) {
            task->cancel();
        }
    }
}

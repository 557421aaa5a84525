#pragma once

#include "app/LaunchRequester.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A requesting window for watched launches that records, in order, what the worker asked of it:
// "disable", "enable", "front", "post 0x464", "failure". Posted attachments are kept.
class LaunchRecorder : public LaunchRequester {
public:
    void setEnabled(bool enabled) override { record(enabled ? "enable" : "disable"); }
    void bringToFront() override { record("front"); }
    void post(int message, std::unique_ptr<LaunchAttachment> attachment) override {
        char text[32];
        std::snprintf(text, sizeof text, "post 0x%x", static_cast<unsigned>(message));
        std::lock_guard lock(m_mutex);
        m_events.emplace_back(text);
        m_posted.push_back(std::move(attachment));
    }
    void reportLaunchFailure() override { record("failure"); }

    std::vector<std::string> events() const {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    // The attachments that came with posted messages (empty ones included).
    std::vector<std::unique_ptr<LaunchAttachment>>& posted() { return m_posted; }

private:
    void record(const char* event) {
        std::lock_guard lock(m_mutex);
        m_events.emplace_back(event);
    }

    mutable std::mutex m_mutex;
    std::vector<std::string> m_events;
    std::vector<std::unique_ptr<LaunchAttachment>> m_posted;
};

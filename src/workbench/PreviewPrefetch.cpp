#include "workbench/PreviewPrefetch.h"

#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "image/ImageEntry.h"
#include "image/PreviewNaming.h"
#include "workbench/PreviewFileFacts.h"

#include <set>

PreviewPrefetch::PreviewPrefetch(std::function<WorkerPool&()> pool) : m_pool(std::move(pool)) {
}

PreviewPrefetch::~PreviewPrefetch() {
    stop();
}

void PreviewPrefetch::around(const CellGrid& grid, int row, const std::string& imageFolder) {
    std::set<std::string> wanted;
    for (const int next : {row + 1, row - 1}) {
        if (next < grid.fixedRows() || next >= grid.rows()) {
            continue;
        }
        const ImageEntry entry = ImageEntry::read(grid, next);
        const auto type = ImageTypeDetector::fromText(entry.type);
        if (!type || !entry.previewValid ||
            files::isRegularFile(
                PreviewNaming::previewPath(m_settings.tempFolder, entry.fileName, 1))) {
            continue;
        }
        wanted.insert(entry.fileName);
        start(imageFolder, entry.fileName, *type);
    }
    for (auto it = m_tasks.begin(); it != m_tasks.end();) {
        if (it->second->ended()) {
            it = m_tasks.erase(it);
        } else if (wanted.count(it->first) == 0) {
            it->second->cancel();
            ++it;
        } else {
            ++it;
        }
    }
}

void PreviewPrefetch::start(const std::string& folder, const std::string& fileName,
                            ImageType type) {
    if (m_tasks.count(fileName) != 0) {
        return;
    }
    m_tasks[fileName] = m_pool().submit(
        [settings = m_settings, path = files::join(folder, fileName), type](std::stop_token stop) {
            if (!stop.stop_requested()) {
                PreviewFileFacts::gather(path, type, 1, settings, nullptr, nullptr, stop);
            }
        });
}

void PreviewPrefetch::settle(const std::string& fileName) {
    const auto it = m_tasks.find(fileName);
    if (it == m_tasks.end()) {
        return;
    }
    it->second->take();
    m_tasks.erase(it);
}

void PreviewPrefetch::stop() {
    for (const auto& [name, task] : m_tasks) {
        task->cancel();
    }
    for (const auto& [name, task] : m_tasks) {
        task->wait();
    }
    m_tasks.clear();
}

std::size_t PreviewPrefetch::pending() const {
    std::size_t count = 0;
    for (const auto& [name, task] : m_tasks) {
        count += task->ended() ? 0 : 1;
    }
    return count;
}

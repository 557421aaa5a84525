#pragma once

#include "base/WorkerPool.h"
#include "image/ImageSettings.h"
#include "image/ImageTypeDetector.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class CellGrid;

// The previews of the rows beside the one on show, made on the worker pool before the operator
// asks for them. The pane settles a file before it shows it: a conversion still queued runs at
// once on the pane's thread, one under way is waited for, so no file is converted twice. A
// stopped conversion leaves none of its pages; stop() waits until nothing of it runs.
class PreviewPrefetch {
public:
    // pool gives the worker pool when work is first queued.
    explicit PreviewPrefetch(std::function<WorkerPool&()> pool);
    ~PreviewPrefetch();
    PreviewPrefetch(const PreviewPrefetch&) = delete;
    PreviewPrefetch& operator=(const PreviewPrefetch&) = delete;

    void setSettings(const ImageSettings& settings) { m_settings = settings; }

    // Row row of grid is on show: the previews of the rows before and after it are made unless
    // they exist; work for other files still queued is dropped.
    void around(const CellGrid& grid, int row, const std::string& imageFolder);
    // Returns once no conversion of fileName is queued or under way.
    void settle(const std::string& fileName);
    // Drops every queued conversion, stops the running ones and waits for them.
    void stop();
    // Conversions queued or under way.
    std::size_t pending() const;

private:
    void start(const std::string& folder, const std::string& fileName, ImageType type);

    std::function<WorkerPool&()> m_pool;
    ImageSettings m_settings;
    std::map<std::string, std::shared_ptr<WorkerPool::Task>> m_tasks;
};

#pragma once

#include "image/ImageLibrary.h"
#include "image/PixHandle.h"
#include "workbench/PreviewDisplay.h"

#include <map>
#include <string>

// The preview's displays without a screen: pages really load through the image library, and the
// display remembers the file and page it holds. A page lands at half its size.
class WorkbenchPreviewDisplay : public PreviewDisplay {
public:
    struct Held {
        std::string path;
        int page = 0;
        int width = 0;
        int height = 0;
    };

    int load(int displayId, const std::string& path, int page) override {
        PixHandle pix;
        const int result = ImageLibrary::loadPage(path, page, pix);
        if (result == ImageLibrary::Success) {
            m_held[displayId] = Held{path, page, pix.width(), pix.height()};
            ++loads;
        }
        return result;
    }
    void clear(int displayId) override { m_held.erase(displayId); }
    bool hasPage(int displayId) const override { return m_held.count(displayId) != 0; }
    void setAutoRepaint(int, bool) override {}
    void setZoom(int, int) override {}
    PreviewMetrics metrics(int displayId) const override {
        const auto it = m_held.find(displayId);
        if (it == m_held.end()) {
            return {};
        }
        return {it->second.width / 2, it->second.height / 2, 0.5, 0.5};
    }

    // What the display holds; an empty Held when it holds nothing.
    Held held(int displayId) const {
        const auto it = m_held.find(displayId);
        return it == m_held.end() ? Held{} : it->second;
    }

    int loads = 0;

private:
    std::map<int, Held> m_held;
};

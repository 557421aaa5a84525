#include "workbench/TitleBlockRegions.h"

#include "app/Settings.h"
#include "read/SheetReader.h"
#include "workbench/Ctl.h"
#include "workbench/DesignLayout.h"
#include "workbench/MagAreaGeometry.h"

#include <algorithm>

std::vector<ReadRegion> TitleBlockRegions::of(const Settings& settings,
                                              const std::string& paperText, int pageWidth,
                                              int pageHeight) {
    const std::vector<ReadRegion> corner{SheetReader::defaultRegion()};
    if (settings.expanPrevMemory != 1 || pageWidth <= 0 || pageHeight <= 0) {
        return corner;
    }
    const int views = MagAreaGeometry::areaCount(settings.expanPreview);
    const LayoutRect control = DesignLayout::pixels(views).at(id(Ctl::Preview));
    // The page fitted into the preview as the window first shows it.
    const double scale =
        std::min(double(control.width) / pageWidth, double(control.height) / pageHeight);
    const DisplaySize display{std::max(1, static_cast<int>(pageWidth * scale)),
                              std::max(1, static_cast<int>(pageHeight * scale))};
    const int slot = MagAreaGeometry::memorySlot(paperText);
    std::vector<ReadRegion> regions;
    for (int area = 0; area < views; ++area) {
        const SizeMemoryEntry& e =
            settings
                .sizeMemory[static_cast<std::size_t>(slot + area * MagAreaGeometry::kSlotsPerArea)];
        if (e.origin < 0) {
            continue;
        }
        const MagRect r = MagAreaGeometry::clamp({e.x, e.y, e.width, e.height}, e.origin, display);
        regions.push_back({double(r.left) / display.width, double(r.top) / display.height,
                           double(r.right()) / display.width, double(r.bottom()) / display.height});
    }
    return regions.empty() ? corner : regions;
}

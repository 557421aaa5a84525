#include "renamelist/ShortenForDisplay.h"

#include "base/Cp932.h"

std::string ShortenForDisplay(std::string_view name, int width) {
    if (width < 4 || name.size() < static_cast<std::size_t>(width)) {
        return std::string(name);
    }
    const auto half = static_cast<std::size_t>((width - 4) / 2);
    const std::size_t headBytes = half + 1;
    const std::size_t tailStart = name.size() - half;
    std::string head;
    std::string tail;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = cp932::charLength(name, i);
        if (i < headBytes) {
            head.append(name.substr(i, length));
        }
        if (i >= tailStart) {
            tail.append(name.substr(i, length));
        }
        i += length;
    }
    return head + "..." + tail;
}

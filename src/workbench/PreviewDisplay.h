#pragma once

#include <string>

// Where a page landed on a display: its displayed size in pixels and the scale from image pixels
// to displayed pixels in each direction.
struct PreviewMetrics {
    int displayedWidth = 0;
    int displayedHeight = 0;
    double scaleX = 0.0;
    double scaleY = 0.0;

    bool operator==(const PreviewMetrics&) const = default;
};

// The image displays of the preview pane as its logic sees them, addressed by control id: the
// large preview (1017) and the hidden high-resolution page (1019). Paths are file-system paths
// (UTF-8), as the image library takes them.
class PreviewDisplay {
public:
    virtual ~PreviewDisplay() = default;

    // Loads page (1-based) of the file into the display; the image library's result code
    // (1 success). On failure the display keeps what it showed.
    virtual int load(int displayId, const std::string& path, int page) = 0;
    virtual void clear(int displayId) = 0;
    virtual bool hasPage(int displayId) const = 0;
    // While off, the display keeps showing its last picture.
    virtual void setAutoRepaint(int displayId, bool on) = 0;
    // 0 fits the page into the display; otherwise a fixed zoom in percent.
    virtual void setZoom(int displayId, int percent) = 0;
    virtual PreviewMetrics metrics(int displayId) const = 0;
};

#pragma once

#include "workbench/PreviewDisplay.h"

#include <QPointer>

class ImageDisplay;
class QWidget;

// The preview pane's displays on the screen: the large preview (1017) and the hidden
// high-resolution page (1019), two ImageDisplay widgets made on the given parent (the main
// window's client area). The window registers and places them like its other controls.
// The large preview is shown only while it holds a page, so that the window's picture of the
// empty preview beneath it shows otherwise; the high-resolution page is never shown.
class PreviewPaneView : public PreviewDisplay {
public:
    explicit PreviewPaneView(QWidget* parent);

    // The display of control 1017 or 1019; null for any other id.
    ImageDisplay* display(int displayId) const;

    int load(int displayId, const std::string& path, int page) override;
    void clear(int displayId) override;
    bool hasPage(int displayId) const override;
    void setAutoRepaint(int displayId, bool on) override;
    void setZoom(int displayId, int percent) override;
    PreviewMetrics metrics(int displayId) const override;

private:
    QPointer<ImageDisplay> m_preview;
    QPointer<ImageDisplay> m_highRes;
};

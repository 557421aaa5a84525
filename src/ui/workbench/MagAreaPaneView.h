#pragma once

#include "workbench/MagAreaView.h"

#include <QPoint>
#include <QPointer>

class ImageDisplay;
class MagAreaCommands;
class MagnifiedView;
class PreviewPaneView;
class QWidget;
class Zoomwell;

// The magnified areas on the screen: the Zoomwell control (1118) lying over the large preview
// with the areas' frames and handles, the outline drawn on the preview while an area is dragged
// or resized, and the small views 1020 and 1021, made on the main window's client area. Area
// coordinates are pixels of the page as displayed; the Zoomwell control and the preview widget
// add the page's offset in the widget.
class MagAreaPaneView : public MagAreaView {
public:
    MagAreaPaneView(QWidget* parent, PreviewPaneView& preview);

    Zoomwell* zoomwell() const;
    MagnifiedView* view(int index) const;
    // Mouse and handle input of the Zoomwell control goes to the commands.
    void connectTo(MagAreaCommands& commands);

    void layoutAreas(int count) override;
    void placeFrame(int index, const MagRect& frame) override;
    void selectFrame(int index, int origin) override;
    void showHandles(bool shown) override;
    void drawOutline(const MagRect& rect) override;
    void removeOutline() override;
    void setMovePointer(bool move) override;
    void renderView(int index) override;
    void clearViews() override;

private:
    ImageDisplay* preview() const;
    QPoint pageOffset() const;

    PreviewPaneView& m_preview;
    QPointer<Zoomwell> m_zoomwell;
    QPointer<MagnifiedView> m_views[2];
    int m_selected = -1;
    bool m_handles = false;
    bool m_movePointer = false;
};

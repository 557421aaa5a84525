#pragma once

#include <string>

// What the preview pane tells the rest of the main window, and the one thing it asks: the
// magnified areas and the assignment list live elsewhere. Every call has a do-nothing default.
class PreviewPaneObserver {
public:
    virtual ~PreviewPaneObserver() = default;

    // Another entry is about to be shown: the magnified views are emptied.
    virtual void clearMagnifiedViews() {}
    // The entry with this file name (cp932) is shown: the rename-list row it is assigned to, if
    // any, becomes the current row.
    virtual void entryShown(const std::string& fileName) { (void)fileName; }
    // A page is on the preview and its metrics are fresh: the magnified areas are restored for
    // it, clamped and drawn.
    virtual void pageShown() {}
    // The pane was laid out anew with a page on it: the areas keep their place on the page.
    virtual void paneResized() {}
    // The pane was emptied.
    virtual void paneCleared() {}
    // A magnified area is the current one (open-with-application is then not offered).
    virtual bool areaCurrent() const { return false; }
};

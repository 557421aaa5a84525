#pragma once

#include "workbench/MagAreaDesignation.h"
#include "workbench/PreviewPaneObserver.h"

class DialogHost;
class MainView;
class MagAreaView;
class PreviewPane;
class SettingsStore;
class Workbench;
struct WorkbenchState;

// The main window's side of the magnified areas: button 1032, the "原点" menu, the mouse on the
// large preview during designation, and the pane's page and size changes. The window's other
// controls are left to the control-state routine, which counts designation as busy.
class MagAreaCommands : public PreviewPaneObserver {
public:
    struct Parts {
        Workbench& workbench;
        WorkbenchState& state;
        SettingsStore& settings;
        PreviewPane& pane;
        MainView& view;
        DialogHost& dialogs;
        MagAreaView& areaView;
    };

    explicit MagAreaCommands(Parts parts);

    // The areas as the settings hold them (after the settings were read at opening).
    void load();
    // The settings changed the number of areas: designation ends, the window lays the views out
    // for the new number and the areas are drawn again.
    void areaCountChanged();
    // The large preview's size at the window's initial size, for the window scale.
    void setInitialPreviewSize(DisplaySize initial) { m_initial = initial; }

    // 1032 was pressed: designation switches on or off.
    void toggleDesignation();
    void setDesignation(bool on);
    // Menu items 32784 to 32788.
    void chooseOrigin(int origin);
    // A page button is about to change the page.
    void beforePageChange();
    // An assignment command holds the window: 1032 is disabled meanwhile.
    void assignmentStarted();
    // The assignment command is done: 1032 comes back with a page on the preview, and the views
    // are drawn again.
    void assignmentDone();

    // The large preview's mouse and the Zoomwell handles.
    void mouseDown(bool left, int x, int y);
    void mouseMove(int x, int y) { m_areas.mouseMove(x, y); }
    void mouseUp() { m_areas.mouseUp(); }
    void resizerDown() { m_areas.resizerDown(); }
    void resizerMove(int handle, int offsetXTwips, int offsetYTwips, int handleX, int handleY) {
        m_areas.resizerMove(handle, offsetXTwips, offsetYTwips, handleX, handleY);
    }
    void resizerUp() { m_areas.resizerUp(); }

    const MagAreaDesignation& areas() const { return m_areas; }

    // PreviewPaneObserver
    void clearMagnifiedViews() override;
    void pageShown() override;
    void paneResized() override;
    void paneCleared() override;
    bool areaCurrent() const override { return m_areas.current() >= 0; }

private:
    int windowScale() const;
    DisplaySize displaySize() const;

    Parts m_p;
    MagAreaDesignation m_areas;
    DisplaySize m_initial;
};

#pragma once

#include "ui/base/QtPrompter.h"
#include "ui/image/PreviewPaneView.h"
#include "ui/workbench/CorvelView.h"
#include "ui/workbench/MagAreaPaneView.h"
#include "ui/workbench/QtExecuteDialogs.h"
#include "workbench/DialogHost.h"
#include "workbench/WindowPlacement.h"

#include <QDialog>
#include <memory>

struct AppContext;
class GuideWindow;
class QFileSystemWatcher;
class QtLaunchRequester;
class MainWindowControls;
class MainWindowMenus;
class ReadAssignRunner;
class Workbench;

// The main window "Delmo Solution ノミラ": the preview pane on the left, the rename list and the
// image list on the right, the menu bar and the status bar. It is a thin skin over its Workbench:
// every button, menu item, accelerator and grid event goes there, and the Workbench changes the
// window through the view.
//
// The controls sit at the design layout (558 x 455 dialog units, two pixels per unit; see
// DesignLayout) and follow the window's growth by the rules of LayoutGrowth. The window cannot
// be made smaller than the design size.
class CCorvelDlg : public QDialog, private DialogHost {
    Q_OBJECT

public:
    explicit CCorvelDlg(AppContext& context, QWidget* parent = nullptr);
    ~CCorvelDlg() override;

    AppContext& context() { return m_context; }
    Workbench& workbench() { return *m_workbench; }
    CorvelView& view() { return m_view; }
    PreviewPaneView& previewView() { return m_previewView; }
    MainWindowControls& controls() { return *m_controls; }
    MainWindowMenus& menus() { return *m_menus; }
    QWidget* client() const { return m_client; }
    // The window's outer size at the design size.
    WindowSize designOuterSize() const;

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // DialogHost
    void runVersionDialog() override;
    void showGuide(const std::string& htmlPath) override;
    bool runTemplateEditor(const std::string& currentTemplate) override;
    void closeWindow() override;
    bool runImageEditor(const std::string& path, bool overA0, bool noiseErase) override;
    int popupMenu(MenuId menu, const std::vector<MenuItem>& items) override;
    void runEnvironmentDialog(EnvironmentForm& form) override;
    void layoutMagnifiedViews(int count) override;
    void runReadAssignment() override;

    void connectControls();
    void watchTemplateFolder();
    void relayout();
    void placeAtStart();
    QSize frameExtra() const;
    FrameMargins frameMargins() const;
    // The outer rectangle of the restored window, with the frame it has in the normal state.
    WindowRect restoredRect() const;
    // Tells the placement where the window stands in the normal state, and goes where it asks.
    void reportNormalGeometry();

    AppContext& m_context;
    CorvelView m_view;
    QtPrompter m_prompter;
    QtExecuteDialogs m_executeDialogs;
    std::unique_ptr<QtLaunchRequester> m_requester;
    QWidget* m_client;
    // The preview's displays, made on the client area before the workbench that draws on them.
    PreviewPaneView m_previewView;
    MagAreaPaneView m_areaView;
    std::unique_ptr<Workbench> m_workbench;
    ReadAssignRunner* m_reader = nullptr;
    std::unique_ptr<MainWindowControls> m_controls;
    MainWindowMenus* m_menus;
    QFileSystemWatcher* m_templateWatch;
    GuideWindow* m_guide = nullptr; // made on first use
    bool m_shownOnce = false;
    // The frame of the window in the normal state (a maximised window may have another one).
    FrameMargins m_normalFrame;
};

#pragma once

#include "workbench/Cmd.h"
#include "workbench/DialogHost.h"

#include <QObject>
#include <functional>
#include <map>
#include <vector>

class CorvelView;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The main window's menu bar (menu 129, with the accelerators Ctrl+S and F1) and its three
// context menus "一覧操作", "原点" and "画像操作". Every chosen item is handed on by its command
// id.
class MainWindowMenus : public QObject {
    Q_OBJECT

public:
    using CommandSink = std::function<void(int)>;

    MainWindowMenus(QWidget* window, CorvelView& view, CommandSink sink);

    QMenuBar* menuBar() const { return m_menuBar; }
    QMenu* contextMenu(MenuId menu) const;
    QAction* action(int command) const;
    // Shows a context menu at the pointer with its items enabled as given; the chosen command or 0.
    int popup(MenuId menu, const std::vector<DialogHost::MenuItem>& items);

private:
    QAction* addItem(QMenu* menu, Cmd command, const char* text, bool registered);

    CorvelView& m_view;
    CommandSink m_sink;
    QMenuBar* m_menuBar;
    std::map<MenuId, QMenu*> m_contextMenus;
    std::map<int, QAction*> m_actions;
};

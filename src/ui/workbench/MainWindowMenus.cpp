#include "ui/workbench/MainWindowMenus.h"

#include "ui/workbench/CorvelView.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

MainWindowMenus::MainWindowMenus(QWidget* window, CorvelView& view, CommandSink sink)
    : QObject(window), m_view(view), m_sink(std::move(sink)), m_menuBar(new QMenuBar(window)) {
    m_menuBar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = m_menuBar->addMenu(QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    addItem(file, Cmd::SaveWorkData, "作業ﾃﾞｰﾀの上書き保存(&S)", true)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(file, Cmd::SaveWorkDataAs, "作業ﾃﾞｰﾀに名前を付けて保存(&A)...", true);
    file->addSeparator();
    addItem(file, Cmd::Exit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", true);

    QMenu* tools = m_menuBar->addMenu(QString::fromUtf8("ﾂｰﾙ(&T)"));
    addItem(tools, Cmd::TemplateEditor, "ﾃﾝﾌﾟﾚｰﾄ編集(&E)...", true);
    addItem(tools, Cmd::Environment, "環境設定(&S)...", true);
    tools->addSeparator();
    addItem(tools, Cmd::ReadAssign, "読取り割り当て...", true);
    addItem(tools, Cmd::UndoLastRun, "元に戻す(直前の実行)", true);

    QMenu* help = m_menuBar->addMenu(QString::fromUtf8("ﾍﾙﾌﾟ(&H)"));
    addItem(help, Cmd::Help, "ﾍﾙﾌﾟ(&H)", true)->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(help, Cmd::Version, "ﾊﾞｰｼﾞｮﾝ情報(&V)...", true);
    // The accelerators work wherever the focus is in the window, menu bar closed.
    for (QAction* a : {action(id(Cmd::SaveWorkData)), action(id(Cmd::Help))}) {
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
    }

    auto* list = new QMenu(QString::fromUtf8("一覧操作"), window);
    addItem(list, Cmd::InsertRow, "行の挿入", false);
    addItem(list, Cmd::DeleteRow, "行の削除", false);
    m_contextMenus[MenuId::ListOperations] = list;

    auto* origin = new QMenu(QString::fromUtf8("原点"), window);
    addItem(origin, Cmd::OriginTopLeft, "左上", false)->setCheckable(true);
    addItem(origin, Cmd::OriginTopRight, "右上", false)->setCheckable(true);
    addItem(origin, Cmd::OriginBottomLeft, "左下", false)->setCheckable(true);
    addItem(origin, Cmd::OriginBottomRight, "右下", false)->setCheckable(true);
    origin->addSeparator();
    addItem(origin, Cmd::OriginFree, "自由", false)->setCheckable(true);
    m_contextMenus[MenuId::Origin] = origin;

    auto* image = new QMenu(QString::fromUtf8("画像操作"), window);
    addItem(image, Cmd::DeleteImages, "削除", false);
    m_contextMenus[MenuId::ImageOperations] = image;
}

QAction* MainWindowMenus::addItem(QMenu* menu, Cmd command, const char* text, bool registered) {
    QAction* a = menu->addAction(QString::fromUtf8(text));
    a->setObjectName(QStringLiteral("cmd%1").arg(id(command)));
    a->setData(id(command));
    if (registered) {
        // Menu bar items report themselves; context menu items are returned by popup().
        m_actions[id(command)] = a;
        m_view.registerAction(id(command), a);
        connect(a, &QAction::triggered, this, [this, command] { m_sink(id(command)); });
    }
    return a;
}

QMenu* MainWindowMenus::contextMenu(MenuId menu) const {
    const auto it = m_contextMenus.find(menu);
    return it == m_contextMenus.end() ? nullptr : it->second;
}

QAction* MainWindowMenus::action(int command) const {
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

int MainWindowMenus::popup(MenuId menu, const std::vector<DialogHost::MenuItem>& items) {
    QMenu* m = contextMenu(menu);
    if (!m) {
        return 0;
    }
    for (QAction* a : m->actions()) {
        for (const DialogHost::MenuItem& item : items) {
            if (a->data().toInt() == item.command) {
                a->setEnabled(item.enabled);
                if (a->isCheckable()) {
                    a->setChecked(item.checked);
                }
            }
        }
    }
    const QAction* chosen = m->exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : 0;
}

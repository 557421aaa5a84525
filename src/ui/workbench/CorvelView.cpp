#include "ui/workbench/CorvelView.h"

#include "ui/base/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QStringList>

QAction* CorvelView::action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second.data();
}

QComboBox* CorvelView::combo(int id) const {
    return qobject_cast<QComboBox*>(m_controls.control(id));
}

void CorvelView::enableControl(int id, bool enabled) {
    if (QAction* a = action(id)) {
        a->setEnabled(enabled);
        return;
    }
    m_controls.enableControl(id, enabled);
}

void CorvelView::showControl(int id, bool visible) {
    if (QAction* a = action(id)) {
        a->setVisible(visible);
        return;
    }
    m_controls.showControl(id, visible);
}

void CorvelView::setControlText(int id, const std::string& text) {
    if (QAction* a = action(id)) {
        a->setText(qttext::fromCp932(text));
        return;
    }
    // A group box shows its text as its title ("画像情報【ﾌｧｲﾙ総数 %d個】").
    if (auto* group = qobject_cast<QGroupBox*>(m_controls.control(id))) {
        group->setTitle(qttext::fromCp932(text));
        return;
    }
    m_controls.setControlText(id, text);
}

void CorvelView::setControlChecked(int id, bool checked) {
    if (QAction* a = action(id)) {
        a->setChecked(checked);
        return;
    }
    m_controls.setControlChecked(id, checked);
}

void CorvelView::setDefaultButton(int id) {
    m_defaultButton = id;
    m_controls.setDefaultButton(id);
}

void CorvelView::setListItems(int id, const std::vector<std::string>& items, int index) {
    QComboBox* box = combo(id);
    if (!box) {
        return;
    }
    QStringList texts;
    for (const std::string& item : items) {
        texts.push_back(qttext::fromCp932(item));
    }
    const QSignalBlocker blocker(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) {
        shown.push_back(box->itemText(i));
    }
    // Refilling an unchanged list would only make the box flicker (it is refilled on repaints).
    if (shown != texts) {
        box->clear();
        box->addItems(texts);
    }
    box->setCurrentIndex(index);
}

void CorvelView::setListIndex(int id, int index) {
    if (QComboBox* box = combo(id)) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index);
    }
}

int CorvelView::listIndex(int id) const {
    const QComboBox* box = combo(id);
    return box ? box->currentIndex() : -1;
}

#include "ui/base/QtMainView.h"

#include "ui/base/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void QtMainView::setStatusBar(QStatusBar* bar, QProgressBar* progress) {
    m_statusBar = bar;
    m_progress = progress;
}

QWidget* QtMainView::control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second.data();
}

void QtMainView::enableControl(int id, bool enabled) {
    if (QWidget* w = control(id)) {
        w->setEnabled(enabled);
    }
}

void QtMainView::showControl(int id, bool visible) {
    if (QWidget* w = control(id)) {
        w->setVisible(visible);
    }
}

void QtMainView::setControlText(int id, const std::string& text) {
    const QString t = qttext::fromCp932(text);
    QWidget* w = control(id);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(t);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(t);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(t);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentText(t);
    } else if (w != nullptr) {
        w->setWindowTitle(t);
    }
}

void QtMainView::setControlChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(control(id))) {
        button->setChecked(checked);
    }
}

void QtMainView::focusControl(int id) {
    if (QWidget* w = control(id)) {
        w->setFocus(Qt::OtherFocusReason);
    }
}

void QtMainView::setDefaultButton(int id) {
    for (const auto& [otherId, widget] : m_controls) {
        if (auto* button = qobject_cast<QPushButton*>(widget.data())) {
            button->setDefault(otherId == id);
            button->setAutoDefault(false);
        }
    }
}

void QtMainView::setStatusText(const std::string& text) {
    if (m_statusBar) {
        m_statusBar->showMessage(qttext::fromCp932(text));
    }
}

void QtMainView::setProgressRange(int minimum, int maximum) {
    if (m_progress) {
        m_progress->setRange(minimum, maximum);
    }
}

void QtMainView::setProgressPos(int position) {
    if (m_progress) {
        m_progress->setValue(position);
    }
}

void QtMainView::setWaitCursor(bool waiting) {
    if (waiting == m_waiting) {
        return;
    }
    m_waiting = waiting;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

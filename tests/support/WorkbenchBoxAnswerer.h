#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Answers every message box of the main window's tests as it opens: records its text and presses
// the given button (OK when the box has no such button).
class WorkbenchBoxAnswerer : public QObject {
public:
    explicit WorkbenchBoxAnswerer(QMessageBox::StandardButton answer) : m_answer(answer) {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                QAbstractButton* button = box->button(m_answer);
                if (!button) {
                    button = box->button(QMessageBox::Ok);
                }
                button->click();
            }
        });
        m_timer.start(20);
    }

    QStringList texts;

private:
    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
};

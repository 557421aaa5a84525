#pragma once

#include <QComboBox>

// The template box: a drop-down list that says when its list is about to open, so that the
// templates can be listed again just before the operator sees them.
class TemplateComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TemplateComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}

    void showPopup() override;

signals:
    void popupAboutToShow();
};

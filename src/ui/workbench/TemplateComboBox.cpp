#include "ui/workbench/TemplateComboBox.h"

void TemplateComboBox::showPopup() {
    emit popupAboutToShow();
    QComboBox::showPopup();
}

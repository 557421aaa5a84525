#include "ui/workbench/SettingsControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>

namespace settingscontrols {

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QRadioButton* radio(QButtonGroup* group, const char* name, int value, const char* caption,
                    QWidget* parent) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name) + QString::number(value));
    group->addButton(button, value);
    return button;
}

} // namespace settingscontrols

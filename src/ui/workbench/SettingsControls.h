#pragma once

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class QWidget;

// The controls of the environment settings pages, named after their settings so that tests and
// refusals find them. Captions are UTF-8.
namespace settingscontrols {

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent);
// A radio button of group, with the id value; named name followed by value.
QRadioButton* radio(QButtonGroup* group, const char* name, int value, const char* caption,
                    QWidget* parent);

} // namespace settingscontrols

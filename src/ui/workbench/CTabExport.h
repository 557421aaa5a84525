#pragma once

#include <QWidget>

struct EnvironmentValues;
class Prompter;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The page "ｴｸｽﾎﾟｰﾄ" (173) of the environment settings: the export format, the image file name
// in the export, the name dialog, the export file name, the second folder and the two export
// flags. 1045 is disabled while 1044 is on.
class CTabExport : public QWidget {
    Q_OBJECT

public:
    static constexpr int kId = 173;
    static constexpr int kNameLimit = 64;

    CTabExport(Prompter& prompter, QWidget* parent = nullptr);

    void showValues(const EnvironmentValues& v);
    void collect(EnvironmentValues& v) const;

private:
    void browse();
    void updateEnabled();

    Prompter& m_prompter;
    QButtonGroup* m_type = nullptr;
    QComboBox* m_addText = nullptr;
    QCheckBox* m_dispInputDlg = nullptr;
    QLineEdit* m_fileName = nullptr;
    QCheckBox* m_selectFolder = nullptr;
    QLineEdit* m_folderPath = nullptr;
    QCheckBox* m_addConse = nullptr;
    QCheckBox* m_existCheck = nullptr;
};

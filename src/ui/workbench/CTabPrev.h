#pragma once

#include <QWidget>

struct EnvironmentValues;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QScrollBar;

// The page "ﾌﾟﾚﾋﾞｭｰ" (175) of the environment settings: previews at loading, two magnified
// previews, their memory per paper size, the paper-size margin with its up-down control, and
// the pages of multi-page files. The page list is enabled only while "ﾍﾟｰｼﾞ指定" is chosen.
class CTabPrev : public QWidget {
    Q_OBJECT

public:
    static constexpr int kId = 175;
    static constexpr int kPageListLimit = 32;

    explicit CTabPrev(QWidget* parent = nullptr);

    void showValues(const EnvironmentValues& v);
    void collect(EnvironmentValues& v) const;

private:
    void updateEnabled();
    void marginEdited(const QString& text);

    QCheckBox* m_loadPreview = nullptr;
    QCheckBox* m_expanPreview = nullptr;
    QCheckBox* m_expanPrevMemory = nullptr;
    QLineEdit* m_margin = nullptr;
    QScrollBar* m_marginSpin = nullptr;
    QButtonGroup* m_prevPage = nullptr;
    QLineEdit* m_pageList = nullptr;
};

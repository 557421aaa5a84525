#pragma once

#include <QWidget>

struct EnvironmentValues;
class QCheckBox;

// The page "割り当て" (176) of the environment settings: the automatic cursor, Enter assigns,
// and the check for a file of the same name in the storage folder.
class CTabAssign : public QWidget {
    Q_OBJECT

public:
    static constexpr int kId = 176;

    explicit CTabAssign(QWidget* parent = nullptr);

    void showValues(const EnvironmentValues& v);
    void collect(EnvironmentValues& v) const;

private:
    QCheckBox* m_autoCursol = nullptr;
    QCheckBox* m_enterKeyAssign = nullptr;
    QCheckBox* m_renameOverwrite = nullptr;
};

#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

// The list of export files that a run would overwrite (id 178): the question above a list box of
// the paths, "はい(&Y)" and "いいえ(&N)".
class CQueryCSVOverwrite : public QDialog {
    Q_OBJECT

public:
    static constexpr int kId = 178;

    explicit CQueryCSVOverwrite(const std::vector<std::string>& paths, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }

private:
    QListWidget* m_list = nullptr;
};

#pragma once

#include "execute/ExecuteDialogs.h"

#include <QDialog>

class QLineEdit;

// The file name dialog (id 160): two lines of text, "ﾌｧｲﾙ名：" with its field, OK and "ｷｬﾝｾﾙ".
// OK hands the text to the core's check; a refused name keeps the dialog open with the focus in
// the field.
class CInputFName : public QDialog {
    Q_OBJECT

public:
    static constexpr int kId = 160;

    CInputFName(ExecuteDialogs::NameMode mode, const QString& preset,
                ExecuteDialogs::NameCheck accept, QWidget* parent = nullptr);

    QLineEdit* field() const { return m_field; }
    // The text accepted by the check (cp932), once the dialog closed with OK.
    const std::string& acceptedText() const { return m_accepted; }

    // What OK does: checks the field's text; closes the dialog only when it is accepted.
    void confirm();

private:
    ExecuteDialogs::NameCheck m_accept;
    QLineEdit* m_field = nullptr;
    std::string m_accepted;
};

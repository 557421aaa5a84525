#pragma once

#include <QValidator>

#include <string>

// Keeps the grid editor's text within the column's edit mask and the editor's length limit,
// counted in cp932 bytes. Text that has no cp932 form is refused.
class CVSFlexGridValidator : public QValidator {
    Q_OBJECT

public:
    // maxBytes 0: no limit; an empty mask: any text.
    CVSFlexGridValidator(std::string mask, int maxBytes, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

private:
    std::string m_mask;
    int m_maxBytes;
};

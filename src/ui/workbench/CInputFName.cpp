#include "ui/workbench/CInputFName.h"

#include "base/TextCodec.h"
#include "execute/ExecuteTexts.h"
#include "ui/base/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInputFName::CInputFName(ExecuteDialogs::NameMode mode, const QString& preset,
                         ExecuteDialogs::NameCheck accept, QWidget* parent)
    : QDialog(parent), m_accept(std::move(accept)) {
    using qttext::fromCp932;
    setObjectName(QStringLiteral("CInputFName"));
    setWindowTitle(fromCp932(executetexts::fileNameCaption()));
    const bool exportMode = mode == ExecuteDialogs::NameMode::Export;
    auto* line1 = new QLabel(fromCp932(exportMode ? executetexts::fileNameExportLine1()
                                                  : executetexts::fileNameRenameLine1()),
                             this);
    auto* line2 = new QLabel(fromCp932(exportMode ? executetexts::fileNameExportLine2()
                                                  : executetexts::fileNameRenameLine2()),
                             this);
    m_field = new QLineEdit(preset, this);
    m_field->setObjectName(QStringLiteral("FileName"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(fromCp932(executetexts::cancelButton()), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &CInputFName::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(new QLabel(fromCp932(executetexts::fileNameLabel()), this));
    fieldRow->addWidget(m_field, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(line1);
    outer->addWidget(line2);
    outer->addLayout(fieldRow);
    outer->addLayout(buttons);
    m_field->setFocus();
    m_field->selectAll();
}

void CInputFName::confirm() {
    // A character without a cp932 form is not turned into "?": the check refuses the text.
    const ExecuteDialogs::TypedName text =
        textcodec::utf8ToCp932Strict(m_field->text().toStdString());
    if (m_accept(text)) {
        m_accepted = *text;
        accept();
        return;
    }
    m_field->setFocus();
    m_field->selectAll();
}

#include "ui/workbench/CQueryCSVOverwrite.h"

#include "execute/ExecuteTexts.h"
#include "ui/base/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CQueryCSVOverwrite::CQueryCSVOverwrite(const std::vector<std::string>& paths, QWidget* parent)
    : QDialog(parent) {
    using qttext::fromCp932;
    setObjectName(QStringLiteral("CQueryCSVOverwrite"));
    setWindowTitle(fromCp932(executetexts::overwriteCaption()));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Paths"));
    for (const std::string& path : paths) {
        m_list->addItem(fromCp932(path));
    }
    auto* yes = new QPushButton(fromCp932(executetexts::yesButton()), this);
    yes->setObjectName(QStringLiteral("YesButton"));
    auto* no = new QPushButton(fromCp932(executetexts::noButton()), this);
    no->setObjectName(QStringLiteral("NoButton"));
    no->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(fromCp932(executetexts::overwriteText()), this));
    outer->addWidget(m_list, 1);
    outer->addLayout(buttons);
    resize(560, 300);
}

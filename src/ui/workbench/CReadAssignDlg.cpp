#include "ui/workbench/CReadAssignDlg.h"

#include "ui/base/QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Image, Row, Value, Score, By, Paper, ColumnCount };

QString candidateBy(const SheetMatcher::Candidate& c, bool codeOverText) {
    if (c.by == SheetMatcher::By::Text) {
        return QString::fromUtf8("文字");
    }
    return QString::fromUtf8(codeOverText ? "ｺｰﾄﾞ (文字と不一致)" : "ｺｰﾄﾞ");
}

QString paperCheck(const ReadSuggestion& s) {
    if (!s.match.suggestion || s.paperSizeListed.empty()) {
        return {};
    }
    if (!s.paperMismatch) {
        return QString::fromUtf8("一致");
    }
    return QString::fromUtf8("ﾘｽﾄ %1 / 画像 %2")
        .arg(qttext::fromCp932(s.paperSizeListed), qttext::fromCp932(s.image.paperSize));
}

} // namespace

CReadAssignDlg::CReadAssignDlg(const std::vector<ReadSuggestion>& suggestions,
                               const std::vector<bool>& checks, QWidget* parent)
    : QDialog(parent),
      m_table(new QTableWidget(static_cast<int>(suggestions.size()), ColumnCount, this)) {
    setWindowTitle(QString::fromUtf8("読取り割り当て"));
    setObjectName(QStringLiteral("CReadAssignDlg"));
    m_table->setHorizontalHeaderLabels(
        {QString::fromUtf8("画像"), QString::fromUtf8("行"), QString::fromUtf8("値"),
         QString::fromUtf8("ｽｺｱ"), QString::fromUtf8("読取り"), QString::fromUtf8("用紙ｻｲｽﾞ")});
    m_table->verticalHeader()->setVisible(false);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < static_cast<int>(suggestions.size()); ++i) {
        const ReadSuggestion& s = suggestions[static_cast<std::size_t>(i)];
        auto* image = new QTableWidgetItem(qttext::fromCp932(s.image.fileName));
        const auto& c = s.match.suggestion;
        if (c) {
            image->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            image->setCheckState(checks[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
        } else {
            image->setFlags(Qt::ItemIsEnabled);
        }
        m_table->setItem(i, Image, image);
        m_table->setItem(i, Row, new QTableWidgetItem(c ? QString::number(c->row) : QString()));
        QString value = c ? QString::fromStdString(c->value) : QString();
        if (s.reading.failed()) {
            value = QString::fromUtf8(readFailureText(s.reading.failure));
        } else if (!c) {
            value = QString::fromUtf8("(候補なし)");
        }
        m_table->setItem(i, Value, new QTableWidgetItem(value));
        m_table->setItem(i, Score,
                         new QTableWidgetItem(c ? QString::number(c->score, 'f', 2) : QString()));
        m_table->setItem(
            i, By, new QTableWidgetItem(c ? candidateBy(*c, s.match.codeOverText) : QString()));
        m_table->setItem(i, Paper, new QTableWidgetItem(paperCheck(s)));
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("割り当て"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(760, 420);
}

std::vector<bool> CReadAssignDlg::checks() const {
    std::vector<bool> out;
    for (int i = 0; i < m_table->rowCount(); ++i) {
        out.push_back(m_table->item(i, Image)->checkState() == Qt::Checked);
    }
    return out;
}

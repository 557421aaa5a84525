#include "ui/workbench/CReadAssignDlg.h"

#include "ui/base/QtText.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Column { Image, Row, Value, Score, By, Paper, ColumnCount };

// Lines shown without scrolling before the table scrolls.
constexpr int kVisibleLines = 14;

QString candidateBy(const SheetMatcher::Candidate& c, bool codeOverText) {
    if (c.by == SheetMatcher::By::Text) {
        return QString::fromUtf8("文字");
    }
    return QString::fromUtf8(codeOverText ? "ｺｰﾄﾞ (文字と不一致)" : "ｺｰﾄﾞ");
}

// The measured size of the image, and how it compares with the size the list gives the
// suggested row.
QString paperCheck(const ReadSuggestion& s) {
    const QString measured = qttext::fromCp932(s.image.paperSize);
    if (!s.match.suggestion || s.paperSizeListed.empty()) {
        return measured;
    }
    if (!s.paperMismatch) {
        return QString::fromUtf8("%1 (ﾘｽﾄと一致)").arg(measured);
    }
    return QString::fromUtf8("%1 (ﾘｽﾄは %2)").arg(measured, qttext::fromCp932(s.paperSizeListed));
}

QString valueText(const ReadSuggestion& s) {
    if (s.reading.failed()) {
        return QString::fromUtf8(readFailureText(s.reading.failure));
    }
    if (!s.match.suggestion) {
        return QString::fromUtf8("(候補なし)");
    }
    return QString::fromStdString(s.match.suggestion->value);
}

// What was read and the runner-up, for the operator who doubts a suggestion or misses one.
QString readingTip(const ReadSuggestion& s) {
    QStringList lines;
    for (const ReadCode& code : s.reading.codes) {
        lines << QString::fromUtf8("ｺｰﾄﾞ: %1").arg(QString::fromStdString(code.text));
    }
    if (!s.reading.text.empty()) {
        lines << QString::fromUtf8("文字: %1").arg(QString::fromStdString(s.reading.text));
    }
    if (const auto& r = s.match.runnerUp) {
        lines << QString::fromUtf8("次点: No. %1  %2  (%3)")
                     .arg(r->row)
                     .arg(QString::fromStdString(r->value), QString::number(r->score, 'f', 2));
    }
    return lines.join(QLatin1Char('\n'));
}

QTableWidgetItem* item(const QString& text, Qt::Alignment align = Qt::AlignLeft) {
    auto* it = new QTableWidgetItem(text);
    it->setTextAlignment(align | Qt::AlignVCenter);
    return it;
}

} // namespace

CReadAssignDlg::CReadAssignDlg(const std::vector<ReadSuggestion>& suggestions,
                               const std::vector<bool>& checks, QWidget* parent)
    : QDialog(parent),
      m_table(new QTableWidget(static_cast<int>(suggestions.size()), ColumnCount, this)),
      m_summary(new QLabel(this)),
      m_found(std::count_if(suggestions.begin(), suggestions.end(), [](const ReadSuggestion& s) {
          return s.match.suggestion.has_value();
      })) {
    setWindowTitle(QString::fromUtf8("読取り割り当て"));
    setObjectName(QStringLiteral("CReadAssignDlg"));
    m_table->setHorizontalHeaderLabels(
        {QString::fromUtf8("画像"), QString::fromUtf8("No."), QString::fromUtf8("値"),
         QString::fromUtf8("ｽｺｱ"), QString::fromUtf8("読取り"), QString::fromUtf8("用紙ｻｲｽﾞ")});
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    for (int i = 0; i < static_cast<int>(suggestions.size()); ++i) {
        const ReadSuggestion& s = suggestions[static_cast<std::size_t>(i)];
        const auto& c = s.match.suggestion;
        auto* image = item(qttext::fromCp932(s.image.fileName));
        // A line without a suggestion shows a check box that cannot be checked, so the names
        // stay in one column.
        image->setFlags(c ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemIsUserCheckable);
        image->setCheckState(c && checks[static_cast<std::size_t>(i)] ? Qt::Checked
                                                                      : Qt::Unchecked);
        m_table->setItem(i, Image, image);
        m_table->setItem(i, Row, item(c ? QString::number(c->row) : QString(), Qt::AlignRight));
        auto* value = item(valueText(s));
        value->setToolTip(readingTip(s));
        m_table->setItem(i, Value, value);
        m_table->setItem(i, Score,
                         item(c ? QString::number(c->score, 'f', 2) : QString(), Qt::AlignRight));
        m_table->setItem(i, By, item(c ? candidateBy(*c, s.match.codeOverText) : QString()));
        auto* paper = item(paperCheck(s));
        if (s.paperMismatch) {
            paper->setForeground(QBrush(Qt::red));
        }
        m_table->setItem(i, Paper, paper);
        if (!c) {
            for (int k = Row; k < ColumnCount; ++k) {
                m_table->item(i, k)->setForeground(QBrush(Qt::darkGray));
            }
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QString::fromUtf8("割り当て"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    layout->addWidget(buttons);

    // As wide as the columns need and as tall as a screenful of lines.
    int width = 2 * m_table->frameWidth();
    for (int k = 0; k < ColumnCount; ++k) {
        width += m_table->columnWidth(k);
    }
    const int lines = std::clamp(static_cast<int>(suggestions.size()), 4, kVisibleLines);
    const int lineHeight = m_table->verticalHeader()->defaultSectionSize();
    m_table->setMinimumSize(width + style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                            m_table->horizontalHeader()->sizeHint().height() + lines * lineHeight +
                                2 * m_table->frameWidth());
    ok->setFocus();
    showSummary();
    connect(m_table, &QTableWidget::itemChanged, this, &CReadAssignDlg::showSummary);
}

void CReadAssignDlg::showSummary() {
    const auto c = checks();
    m_summary->setText(
        QString::fromUtf8(
            "読み取った画像: %1 枚   行の候補がある画像: %2 枚   ﾁｪｯｸした画像: %3 枚\n"
            "ﾁｪｯｸした画像を候補の行に割り当てます。")
            .arg(m_table->rowCount())
            .arg(m_found)
            .arg(std::count(c.begin(), c.end(), true)));
}

std::vector<bool> CReadAssignDlg::checks() const {
    std::vector<bool> out;
    for (int i = 0; i < m_table->rowCount(); ++i) {
        out.push_back(m_table->item(i, Image)->checkState() == Qt::Checked);
    }
    return out;
}

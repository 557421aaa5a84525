#include "ui/template/CItemDetailDlg.h"

#include "base/Prompter.h"
#include "ui/base/QtCaptions.h"
#include "ui/base/QtText.h"
#include "ui/template/DigitSpinBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

CItemDetailDlg::CItemDetailDlg(const std::string& name, const std::string& typeName, int type,
                               const ColumnDetail& stored, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_type(type), m_start(columndetail::opened(type, stored)), m_detail(m_start),
      m_prompter(prompter) {
    setObjectName(QStringLiteral("CItemDetailDlg"));
    setWindowTitle(q("項目の詳細設定"));
    const ColumnDetailLayout layout = columndetail::layoutFor(type);

    auto* form = new QFormLayout;
    form->addRow(q("項目名："), new QLabel(qttext::fromCp932(name), this));
    form->addRow(q("ﾃﾞｰﾀ型："), new QLabel(qttext::fromCp932(typeName), this));
    m_digits = new DigitSpinBox(layout.digitsMin, layout.digitsMax, this);
    m_digits->setObjectName(QStringLiteral("Digits"));
    m_digits->setText(QString::number(m_start.digits));
    m_digits->setEnabled(layout.digitsEnabled);
    form->addRow(q("桁数："), m_digits);
    m_decimals = new DigitSpinBox(columndetail::kDecimalsMin, columndetail::kDecimalsMax, this);
    m_decimals->setObjectName(QStringLiteral("Decimals"));
    m_decimals->setText(QString::number(m_start.decimals));
    m_decimals->setEnabled(layout.decimalsEnabled);
    form->addRow(q("小数点以下桁数："), m_decimals);
    m_alignment = new QComboBox(this);
    for (const std::string& entry : layout.alignmentEntries) {
        m_alignment->addItem(qttext::fromCp932(entry));
    }
    m_alignment->setCurrentIndex(m_start.alignment);
    auto* note = new QLabel(q("※△は空白を示しています。"), this);
    form->addRow(q("名称生成整列種別："), m_alignment);
    form->addRow(QString(), note);
    m_alignment->setVisible(!layout.alignmentEntries.empty());
    note->setVisible(type == 1 || type == 2 || type == 3);
    form->labelForField(m_alignment)->setVisible(!layout.alignmentEntries.empty());

    auto* restrictions = new QGroupBox(q("ﾃｷｽﾄ制限"), this);
    auto* restrictionForm = new QFormLayout(restrictions);
    const char* labels[] = {"数値：", "英大文字：", "英小文字：", "禁則文字：",
                            "禁則文字を除く記号："};
    for (std::size_t i = 0; i < m_restrictions.size(); ++i) {
        m_restrictions[i] = new QComboBox(restrictions);
        m_restrictions[i]->addItems({q("制限なし"), q("使用不可"), q("半角不可"), q("全角不可")});
        m_restrictions[i]->setCurrentIndex(m_start.restriction[i]);
        m_restrictions[i]->setEnabled(layout.restrictionsEnabled);
        restrictionForm->addRow(q(labels[i]), m_restrictions[i]);
    }
    auto* forbidden = new QGroupBox(q("禁則文字とは..."), this);
    auto* forbiddenLayout = new QVBoxLayout(forbidden);
    auto* forbiddenText = new QLabel(
        q("Windows上でﾌｧｲﾙ名に使用できない次の9文字を指します。\n\\ / : * ? \" < > |"), forbidden);
    forbiddenText->setWordWrap(true);
    forbiddenLayout->addWidget(forbiddenText);
    auto* restrictionRow = new QHBoxLayout;
    restrictionRow->addWidget(restrictions);
    restrictionRow->addWidget(forbidden);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    qtcaptions::caption(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CItemDetailDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CItemDetailDlg::reject);

    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addLayout(restrictionRow);
    main->addWidget(buttons);
    // Integer, real and date columns have no text restriction: the window ends above it.
    restrictions->setVisible(!layout.shortWindow);
    forbidden->setVisible(!layout.shortWindow);
}

void CItemDetailDlg::accept() {
    std::array<int, 5> restriction{};
    for (std::size_t i = 0; i < restriction.size(); ++i) {
        restriction[i] = m_restrictions[i]->currentIndex();
    }
    const auto result = columndetail::accept(m_type, qttext::toCp932(m_digits->text()),
                                             qttext::toCp932(m_decimals->text()),
                                             m_alignment->currentIndex(), restriction);
    if (const auto* refusal = std::get_if<ColumnDetailRefusal>(&result)) {
        m_prompter.tell(refusal->message);
        DigitSpinBox* field = refusal->digitsField ? m_digits : m_decimals;
        field->setText(QString::number(refusal->digitsField ? m_start.digits : m_start.decimals));
        field->setFocus();
        return;
    }
    m_detail = std::get<ColumnDetail>(result);
    QDialog::accept();
}

#include "ui/template/CTemplateDlg.h"

#include "app/ProgramLauncher.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "template/ColumnType.h"
#include "template/ReferenceValues.h"
#include "template/TemplateFolder.h"
#include "ui/base/CVSFlexGrid.h"
#include "ui/base/QtCaptions.h"
#include "ui/base/QtLaunchRequester.h"
#include "ui/base/QtText.h"
#include "ui/template/CItemDetailDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The widest the storage folder is shown; a longer path loses its middle.
constexpr int kFolderWidth = 560;
// Room left on the screen for a window manager's frame.
constexpr int kFrameAllowance = 40;

// One single-byte character: printable ASCII or a half-width katakana.
QValidator* singleByteValidator(QObject* parent) {
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x20-\\x7e\\x{ff61}-\\x{ff9f}]?")), parent);
}

} // namespace

CTemplateDlg::CTemplateDlg(Mode mode, std::string name, const TemplateEditorEnv& env,
                           QWidget* parent)
    : QDialog(parent), m_name(std::move(name)), m_env(env),
      m_editGrid(m_cells, env.prompter, env.csvRowNum),
      m_input(m_editGrid, [this](bool on) { m_detail->setEnabled(on); }) {
    setObjectName(QStringLiteral("CTemplateDlg"));
    setWindowTitle(mode == Mode::Edit ? q("ﾃﾝﾌﾟﾚｰﾄ編集") : q("ﾃﾝﾌﾟﾚｰﾄ追加"));
    for (int col = 0; col < TemplateEditGrid::ColumnCount; ++col) {
        m_cells.setColWidth(col, col == 0 ? 2400 : 1500);
    }
    m_detail = new QPushButton(q("詳細設定..."), this);
    m_detail->setEnabled(false);
    m_view = new CVSFlexGrid(&m_cells, this);
    m_cells.setObserver(&m_input);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(q("ﾃﾝﾌﾟﾚｰﾄ名："), this));
    nameRow->addWidget(new QLabel(qttext::fromCp932(m_name), this), 1);
    nameRow->addWidget(m_detail);

    auto* optionsBox = new QGroupBox(q("ｵﾌﾟｼｮﾝ"), this);
    auto* grid = new QGridLayout(optionsBox);
    m_replace = new QCheckBox(q("ﾘﾈｰﾑ処理時、半角空白を次の文字に置換する"), optionsBox);
    m_replacement = new QLineEdit(optionsBox);
    m_replacement->setObjectName(QStringLiteral("Replacement"));
    m_replacement->setMaxLength(1);
    m_replacement->setValidator(singleByteValidator(m_replacement));
    m_replacement->setEnabled(false);
    m_connector = new QLineEdit(optionsBox);
    m_connector->setObjectName(QStringLiteral("Connector"));
    m_connector->setMaxLength(1);
    m_connector->setValidator(singleByteValidator(m_connector));
    m_sortExport = new QCheckBox(q("ｴｸｽﾎﾟｰﾄﾌｧｲﾙをｿｰﾄ出力する"), optionsBox);
    m_rememberWidths = new QCheckBox(q("前回の列幅を記憶する"), optionsBox);
    m_folderLabel = new QLabel(optionsBox);
    m_folderLabel->setObjectName(QStringLiteral("StorageFolder"));
    m_docTypeLabel = new QLabel(optionsBox);
    m_browse = new QPushButton(q("参照..."), optionsBox);
    auto* reference = new QPushButton(q("参照値設定..."), optionsBox);
    reference->setVisible(env.referenceValues && env.launcher != nullptr);
    grid->addWidget(m_replace, 0, 0);
    grid->addWidget(m_replacement, 0, 1);
    grid->addWidget(new QLabel(q("ﾘﾈｰﾑ時に使用する連結子"), optionsBox), 1, 0);
    grid->addWidget(m_connector, 1, 1);
    grid->addWidget(m_sortExport, 2, 0);
    grid->addWidget(m_rememberWidths, 3, 0);
    grid->addWidget(new QLabel(q("格納ﾌｫﾙﾀﾞ："), optionsBox), 4, 0);
    grid->addWidget(m_folderLabel, 5, 0);
    grid->addWidget(m_browse, 5, 1);
    grid->addWidget(new QLabel(q("文書ﾀｲﾌﾟ："), optionsBox), 6, 0);
    grid->addWidget(m_docTypeLabel, 7, 0);
    grid->addWidget(reference, 7, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    qtcaptions::caption(*buttons);
    auto* main = new QVBoxLayout(this);
    main->addLayout(nameRow);
    main->addWidget(m_view, 1);
    main->addWidget(optionsBox);
    main->addWidget(buttons);
    // The dialog opens no larger than the screen it is on, its frame included.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(900, screen.width() - kFrameAllowance),
           std::min(640, screen.height() - kFrameAllowance));

    connect(buttons, &QDialogButtonBox::accepted, this, &CTemplateDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTemplateDlg::reject);
    connect(m_replace, &QCheckBox::toggled, m_replacement, &QLineEdit::setEnabled);
    connect(m_detail, &QPushButton::clicked, this, &CTemplateDlg::openDetail);
    connect(m_browse, &QPushButton::clicked, this, &CTemplateDlg::chooseFolder);
    if (env.launcher != nullptr) {
        m_reference = std::make_unique<ReferenceValues>(env.agent, *env.launcher, env.prompter);
        m_requester = new QtLaunchRequester(this);
        m_requester->setCompletionHandler(
            [this](int message, std::unique_ptr<LaunchAttachment>) { definitionsReady(message); });
        m_requester->setFailureHandler([this] { m_definitionRunning = false; });
        connect(reference, &QPushButton::clicked, this, &CTemplateDlg::startReferenceValues);
    }

    m_storageFolder = files::join(env.dataFolder, "rename");
    if (mode == Mode::Edit) {
        load();
    }
    showFolder();
    m_cells.setCurrentCell(1, 0);
    // F2, Space and Enter act on the current cell as soon as the dialog opens.
    m_view->setFocus(Qt::OtherFocusReason);
}

void CTemplateDlg::showFolder() {
    const QString path = qttext::fromCp932(m_storageFolder);
    m_folderLabel->setText(
        m_folderLabel->fontMetrics().elidedText(path, Qt::ElideMiddle, kFolderWidth));
    m_folderLabel->setToolTip(path);
}

CTemplateDlg::~CTemplateDlg() {
    // A launch still under way reports to its requester later; the requester is left behind,
    // deaf, rather than freed under the worker.
    if (m_definitionRunning && m_requester != nullptr) {
        m_requester->setCompletionHandler({});
        m_requester->setFailureHandler({});
        m_requester->setParent(nullptr);
    }
    // The grid goes before the view that shows it: the view lets go of it while the window is
    // still open.
    m_view->setGrid(nullptr);
}

void CTemplateDlg::load() {
    const auto t = m_env.folder.readTemplate(m_name);
    if (!t) {
        m_env.prompter.tell(Msg::EditorReadFailed);
        return;
    }
    m_editGrid.fill(*t);
    m_replace->setChecked(t->replaceSpaces);
    m_replacement->setText(qttext::fromCp932(t->replacementChar));
    m_connector->setText(qttext::fromCp932(t->connector));
    m_sortExport->setChecked(t->sortExport);
    m_rememberWidths->setChecked(t->rememberWidths);
    m_storageFolder = t->storageFolder;
    m_docType = t->docType;
    m_docTypeLabel->setText(qttext::fromCp932(m_docType));
    m_editGrid.setNamesLocked(!m_docType.empty());
}

TemplateOptions CTemplateDlg::options() const {
    return TemplateOptions{m_replace->isChecked(),
                           qttext::toCp932(m_replacement->text()),
                           qttext::toCp932(m_connector->text()),
                           m_sortExport->isChecked(),
                           m_rememberWidths->isChecked(),
                           m_storageFolder,
                           m_docType};
}

void CTemplateDlg::openDetail() {
    const int row = m_cells.row();
    if (!m_editGrid.detailEnabled(row)) {
        return;
    }
    const int type = m_editGrid.typeOf(row);
    CItemDetailDlg dialog(m_cells.text(row, TemplateEditGrid::Name), columnTypeName(type), type,
                          m_editGrid.detailOf(row), m_env.prompter, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_editGrid.setDetail(row, dialog.detail());
    }
}

void CTemplateDlg::chooseFolder() {
    const auto chosen = m_env.prompter.chooseFolder(qttext::toCp932(q("ﾌｫﾙﾀﾞを選択してください。")),
                                                    m_storageFolder);
    if (chosen) {
        m_storageFolder = *chosen;
        showFolder();
    }
}

void CTemplateDlg::startReferenceValues() {
    if (m_definitionRunning || !m_reference->start(*m_requester)) {
        return;
    }
    m_detail->setEnabled(false);
    m_definitionRunning = true;
}

void CTemplateDlg::definitionsReady(int message) {
    if (message != ProgramLauncher::kDefinitionsReady) {
        return;
    }
    m_definitionRunning = false;
    const auto applied = m_reference->definitionsReady(m_editGrid);
    if (!applied) {
        return;
    }
    m_docType = applied->docType;
    m_docTypeLabel->setText(qttext::fromCp932(m_docType));
    m_storageFolder = applied->storageFolder;
    showFolder();
    m_cells.setCurrentCell(1, 0);
    m_view->setFocus(Qt::OtherFocusReason);
}

void CTemplateDlg::focusRefused(TemplateEditRefusal::Field field) {
    using Field = TemplateEditRefusal::Field;
    switch (field) {
    case Field::Replacement:
        m_replacement->setFocus(Qt::OtherFocusReason);
        m_replacement->selectAll();
        break;
    case Field::Connector:
        m_connector->setFocus(Qt::OtherFocusReason);
        m_connector->selectAll();
        break;
    case Field::StorageFolder:
        m_browse->setFocus(Qt::OtherFocusReason);
        break;
    case Field::Grid:
        m_view->setFocus(Qt::OtherFocusReason);
        break;
    }
}

void CTemplateDlg::reject() {
    if (m_definitionRunning) {
        return;
    }
    QDialog::reject();
}

void CTemplateDlg::accept() {
    const TemplateOptions o = options();
    if (const auto refusal = m_editGrid.validate(o)) {
        if (refusal->clearReplacement) {
            m_replacement->clear();
        }
        focusRefused(refusal->field);
        return;
    }
    if (!m_env.folder.writeTemplate(m_editGrid.collect(m_name, o), m_env.prompter)) {
        m_env.prompter.tell(Msg::EditorSaveFailed);
        return;
    }
    QDialog::accept();
}

#include "ui/workbench/MainWindowControls.h"

#include "execute/AssignmentMarks.h"
#include "renamelist/RenameList.h"
#include "ui/base/CVSFlexGrid.h"
#include "ui/image/ImageDisplay.h"
#include "ui/image/MagnifiedView.h"
#include "ui/image/PreviewPaneView.h"
#include "ui/workbench/CorvelView.h"
#include "ui/workbench/MagAreaPaneView.h"
#include "ui/workbench/ProgramPictures.h"
#include "ui/workbench/TemplateComboBox.h"
#include "workbench/Ctl.h"
#include "zoomwell/Zoomwell.h"

#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QSizeGrip>
#include <QStatusBar>

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The blue-grey of the empty preview (1138), also around a page that does not fill the preview.
const QColor kPreviewBackground(0x8c, 0x9a, 0xa8);

} // namespace

MainWindowControls::MainWindowControls(QWidget* client, CorvelView& view, PreviewPaneView& preview,
                                       MagAreaPaneView& areas, CellGrid& renameGrid,
                                       CellGrid& imageGrid)
    : m_client(client), m_view(view) {
    // Group boxes first, so that they lie under the controls they frame.
    add(id(Ctl::RenameListGroup), new QGroupBox(u("ﾘﾈｰﾑﾘｽﾄ"), client));
    add(id(Ctl::ImageGroup), new QGroupBox(u("画像情報"), client));
    add(id(Ctl::ImageHeaderGroup), new QGroupBox(client));
    for (Ctl line : {Ctl::TopLine1, Ctl::TopLine2}) {
        auto* frame = add(id(line), new QFrame(client));
        frame->setFrameShape(QFrame::HLine);
        frame->setFrameShadow(line == Ctl::TopLine1 ? QFrame::Sunken : QFrame::Plain);
    }
    buildPreviewPane(preview, areas);
    buildListSide();
    m_renameGrid = add(id(Ctl::RenameGrid), new CVSFlexGrid(&renameGrid, client));
    registerHeaderMarks();
    m_imageGrid = add(id(Ctl::ImageGrid), new CVSFlexGrid(&imageGrid, client));
    registerAssignMarks();
    buildStatusBar();
}

template <typename W> W* MainWindowControls::add(int id, W* widget) {
    widget->setObjectName(QStringLiteral("ctl%1").arg(id));
    m_widgets[id] = widget;
    m_view.registerControl(id, widget);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        m_buttons[id] = button;
    }
    return widget;
}

void MainWindowControls::addButton(int id, const char* caption) {
    auto* button = add(id, new QPushButton(u(caption), m_client));
    button->setAutoDefault(false);
}

void MainWindowControls::addLabel(int id, const char* caption) {
    add(id, new QLabel(u(caption), m_client));
}

void MainWindowControls::addTextField(int id) {
    auto* edit = add(id, new QLineEdit(m_client));
    edit->setReadOnly(true);
}

void MainWindowControls::addStatic(int id) {
    auto* label = add(id, new QLabel(m_client));
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
}

void MainWindowControls::buildPreviewPane(PreviewPaneView& preview, MagAreaPaneView& areas) {
    addLabel(id(Ctl::ImageFileLabel), "画像ﾌｧｲﾙ名：");
    addStatic(id(Ctl::ImageFileName));
    addLabel(id(Ctl::PaperSizeLabel), "用紙ｻｲｽﾞ：");
    addStatic(id(Ctl::PaperSize));
    addStatic(id(Ctl::CurrentPage));
    addLabel(id(Ctl::PageSlash), "／");
    addStatic(id(Ctl::PageCount));
    qobject_cast<QLabel*>(widget(id(Ctl::CurrentPage)))->setAlignment(Qt::AlignCenter);
    qobject_cast<QLabel*>(widget(id(Ctl::PageCount)))->setAlignment(Qt::AlignCenter);
    qobject_cast<QLabel*>(widget(id(Ctl::PageSlash)))->setAlignment(Qt::AlignCenter);
    const Ctl pages[] = {Ctl::FirstPage, Ctl::PreviousPage, Ctl::NextPage, Ctl::LastPage};
    for (int i = 0; i < 4; ++i) {
        auto* button = add(id(pages[i]), new QPushButton(m_client));
        button->setAutoDefault(false);
        button->setIcon(ProgramPictures::pageButtonIcon(i));
    }

    add(id(Ctl::MagView1), areas.view(0));
    add(id(Ctl::MagView2), areas.view(1));
    auto* background = add(id(Ctl::PreviewBackground), new QLabel(m_client));
    background->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    background->setAutoFillBackground(true);
    background->setStyleSheet(
        QStringLiteral("QLabel { background: %1; }").arg(kPreviewBackground.name()));
    // The line that says why a file has no preview stands below the centred picture.
    background->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    background->setWordWrap(true);
    background->setMargin(16);
    auto* picture = add(id(Ctl::PreviewPicture), new QLabel(m_client));
    picture->setPixmap(ProgramPictures::previewPicture());
    picture->setAlignment(Qt::AlignCenter);
    picture->setAttribute(Qt::WA_TranslucentBackground);
    // The preview lies over the background and its picture, which show while it holds no page.
    ImageDisplay* display = add(id(Ctl::Preview), preview.display(id(Ctl::Preview)));
    display->raise();
    QPalette surround = display->palette();
    surround.setColor(QPalette::Window, kPreviewBackground);
    display->setPalette(surround);
    add(id(Ctl::HighResPage), preview.display(id(Ctl::HighResPage)));
    // The frames of the magnified areas lie exactly over the preview.
    add(id(Ctl::ZoomFrame), areas.zoomwell())->raise();

    auto* designate = add(id(Ctl::DesignateArea), new QPushButton(u("拡大ｴﾘｱ指定"), m_client));
    designate->setCheckable(true);
    designate->setAutoDefault(false);
    addButton(id(Ctl::EditImage), "画像編集...");
    addButton(id(Ctl::OpenWithApplication), "ｱﾌﾟﾘｹｰｼｮﾝで開く");
}

void MainWindowControls::buildListSide() {
    addLabel(id(Ctl::TemplateLabel), "ﾃﾝﾌﾟﾚｰﾄ：");
    m_templateBox = add(id(Ctl::TemplateBox), new TemplateComboBox(m_client));
    m_templateBox->setMaxVisibleItems(20);
    addButton(id(Ctl::LoadWorkData), "作業ﾃﾞｰﾀ読込み...");
    addLabel(id(Ctl::ListFileLabel), "CSVﾌｧｲﾙ：");
    addTextField(id(Ctl::ListFileName));
    addButton(id(Ctl::LoadRenameList), "ﾘﾈｰﾑﾘｽﾄ読込み...");
    addLabel(id(Ctl::StorageFolderLabel), "格納先ﾌｫﾙﾀﾞ：");
    addTextField(id(Ctl::StorageFolder));
    addButton(id(Ctl::BatchAssign), "一括割り当て");
    addButton(id(Ctl::BatchRelease), "一括解除");
    addButton(id(Ctl::Assign), "割り当て");
    addButton(id(Ctl::Release), "解除");
    addButton(id(Ctl::LoadImages), "画像読込み...");
    addButton(id(Ctl::ReloadImages), "画像再読込み");
    addButton(id(Ctl::ReferenceValues), "参照値設定...");
    addButton(id(Ctl::Execute), "実行");
    addButton(id(Ctl::Dummy), "ダミー");
}

void MainWindowControls::buildStatusBar() {
    m_statusBar = add(id(Ctl::StatusBar), new QStatusBar(m_client));
    m_statusBar->setSizeGripEnabled(true);
    m_progress = new QProgressBar(m_statusBar);
    m_progress->setObjectName(QStringLiteral("StatusProgress"));
    m_progress->setTextVisible(false);
    m_statusBar->addPermanentWidget(m_progress);
    m_view.setStatusBar(m_statusBar, m_progress);
}

void MainWindowControls::registerHeaderMarks() {
    const struct {
        RenameList::Picture picture;
        bool fileName;
        int sortKey;
    } marks[] = {
        {RenameList::FileNamePicture, true, 0},
        {RenameList::PrimarySortPicture, false, 1},
        {RenameList::SecondarySortPicture, false, 2},
        {RenameList::FileNamePrimaryPicture, true, 1},
        {RenameList::FileNameSecondaryPicture, true, 2},
    };
    for (const auto& m : marks) {
        m_renameGrid->registerPicture(m.picture,
                                      ProgramPictures::headerMark(m.fileName, m.sortKey));
    }
}

void MainWindowControls::registerAssignMarks() {
    for (CVSFlexGrid* grid : {m_renameGrid, m_imageGrid}) {
        grid->registerPicture(assignmark::Single, ProgramPictures::assignMark(false));
        grid->registerPicture(assignmark::Multi, ProgramPictures::assignMark(true));
    }
}

QWidget* MainWindowControls::widget(int id) const {
    const auto it = m_widgets.find(id);
    return it == m_widgets.end() ? nullptr : it->second.data();
}

void MainWindowControls::place(const Layout& layout) {
    for (const auto& [ctl, r] : layout) {
        if (QWidget* w = widget(ctl)) {
            w->setGeometry(r.x, r.y, r.width, r.height);
        }
    }
    // The text part is the first 400 pixels; the progress bar runs from there to the grip.
    const int grip = m_statusBar->isSizeGripEnabled() ? 16 : 0;
    m_progress->setFixedWidth(std::max(0, m_statusBar->width() - kStatusTextWidth - grip - 8));
}

void MainWindowControls::showMagViews(int count) {
    if (QWidget* second = widget(id(Ctl::MagView2))) {
        second->setVisible(count >= 2);
    }
}

#include "ui/workbench/CCorvelDlg.h"
#include "ui/workbench/ReadAssignRunner.h"

#include "app/ProgramVersion.h"

#include "app/AppContext.h"
#include "base/FileSystem.h"
#include "base/Messages.h"
#include "ui/base/QtLaunchRequester.h"
#include "ui/base/QtText.h"
#include "ui/image/CImageDlg.h"
#include "ui/template/CTemplateMainDlg.h"
#include "ui/workbench/CEnvDlg.h"
#include "ui/workbench/CVersionDlg.h"
#include "ui/workbench/GuideWindow.h"
#include "ui/workbench/MainWindowControls.h"
#include "ui/workbench/MainWindowMenus.h"
#include "ui/workbench/ProgramPictures.h"
#include "ui/workbench/TemplateComboBox.h"
#include "workbench/Ctl.h"
#include "workbench/DesignLayout.h"
#include "workbench/LayoutGrowth.h"
#include "workbench/Workbench.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

CCorvelDlg::CCorvelDlg(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_prompter(this), m_executeDialogs(this),
      m_requester(std::make_unique<QtLaunchRequester>(this)), m_client(new QWidget(this)),
      m_previewView(m_client), m_areaView(m_client, m_previewView),
      m_templateWatch(new QFileSystemWatcher(this)) {
    setObjectName(QStringLiteral("CCorvelDlg"));
    setWindowTitle(qttext::fromCp932(texts::windowTitle()));
    setWindowIcon(ProgramPictures::programIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);

    m_workbench = std::make_unique<Workbench>(context, Workbench::Seams{m_view, m_view, m_prompter,
                                                                        *this, *m_requester,
                                                                        m_previewView, m_areaView});
    m_workbench->setExecuteDialogs(m_executeDialogs);
    m_areaView.connectTo(m_workbench->magAreas());
    m_requester->setCompletionHandler(
        [this](int message, std::unique_ptr<LaunchAttachment> attachment) {
            m_workbench->launchEnded(message, std::move(attachment));
        });
    m_client->setObjectName(QStringLiteral("Client"));
    m_client->setMinimumSize(DesignLayout::kWidthPx, DesignLayout::kHeightPx);
    m_client->installEventFilter(this);
    m_controls =
        std::make_unique<MainWindowControls>(m_client, m_view, m_previewView, m_areaView,
                                             m_workbench->renameGrid(), m_workbench->imageGrid());
    m_menus =
        new MainWindowMenus(this, m_view, [this](int command) { m_workbench->command(command); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menus->menuBar());
    layout->addWidget(m_client, 1);

    connectControls();
    m_workbench->open();
    watchTemplateFolder();
    m_controls->showMagViews(m_workbench->magViewCount());
    resize(minimumSizeHint());
    relayout();
    placeAtStart();
}

CCorvelDlg::~CCorvelDlg() {
    // A reading still running is cancelled and waited for before anything goes.
    delete m_reader;
    // The controls, the grid views among them, go before the workbench that owns their grids.
    m_client->removeEventFilter(this);
    delete m_client;
    m_client = nullptr;
    m_controls.reset();
}

void CCorvelDlg::connectControls() {
    for (const auto& [ctl, button] : m_controls->buttons()) {
        const int command = ctl;
        connect(button, &QAbstractButton::clicked, this,
                [this, command] { m_workbench->command(command); });
    }
    TemplateComboBox* box = m_controls->templateBox();
    connect(box, &QComboBox::activated, this,
            [this](int index) { m_workbench->templateSelected(index); });
    connect(box, &TemplateComboBox::popupAboutToShow, this,
            [this] { m_workbench->templateListWanted(); });
    box->installEventFilter(this);
}

void CCorvelDlg::watchTemplateFolder() {
    const QString folder = QString::fromStdString(
        files::native(m_workbench->templateBox().folder().folder()).string());
    connect(m_templateWatch, &QFileSystemWatcher::directoryChanged, this,
            [this] { m_workbench->templateListWanted(); });
    if (QFileInfo(folder).isDir()) {
        m_templateWatch->addPath(folder);
    }
}

WindowSize CCorvelDlg::designOuterSize() const {
    const QSize inner = layout() ? layout()->minimumSize() : minimumSize();
    const QSize extra = frameExtra();
    return WindowSize{inner.width() + extra.width(), inner.height() + extra.height()};
}

QSize CCorvelDlg::frameExtra() const {
    return frameGeometry().size() - geometry().size();
}

FrameMargins CCorvelDlg::frameMargins() const {
    const QRect inner = geometry();
    const QRect frame = frameGeometry();
    return FrameMargins{inner.left() - frame.left(), inner.top() - frame.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom()};
}

namespace {

WindowRect windowRectOf(const QRect& r) {
    return WindowRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

WindowRect CCorvelDlg::restoredRect() const {
    if (isMaximized() || isMinimized()) {
        return WindowPlacement::outerOf(windowRectOf(normalGeometry()), m_normalFrame);
    }
    return WindowPlacement::outerOf(windowRectOf(geometry()), frameMargins());
}

void CCorvelDlg::reportNormalGeometry() {
    if (isMaximized() || isMinimized() || isFullScreen()) {
        return;
    }
    m_normalFrame = frameMargins();
    const auto ask =
        m_workbench->placement().normalGeometry(windowRectOf(geometry()), m_normalFrame);
    if (!ask) {
        return;
    }
    // The frame's corner and the client's size: a window without a frame yet is then framed
    // from that corner, and the next report corrects the size by the frame it got.
    const WindowRect outer = WindowPlacement::outerOf(*ask, m_normalFrame);
    move(outer.left, outer.top);
    resize(ask->right - ask->left, ask->bottom - ask->top);
}

void CCorvelDlg::placeAtStart() {
    std::vector<WindowRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(windowRectOf(screen->availableGeometry()));
    }
    m_workbench->placement().setScreens(std::move(screens));
    const StartPlacement placement = m_workbench->startPlacement(designOuterSize());
    if (placement.maximize) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else if (placement.moveTo) {
        reportNormalGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // A top-level move places the frame's corner, so the title bar stays on the screen
        // whatever frame the window manager gives the window.
        const WindowSize size{frameGeometry().width(), frameGeometry().height()};
        const WindowRect at =
            WindowPlacement::centredOn(windowRectOf(screen->availableGeometry()), size);
        move(at.left, at.top);
    }
}

void CCorvelDlg::relayout() {
    const int views = m_workbench->magViewCount();
    const Growth growth = LayoutGrowth::over(DesignLayout::kWidthPx, DesignLayout::kHeightPx,
                                             m_client->width(), m_client->height());
    const Layout design = DesignLayout::pixels(views);
    const Layout grown = LayoutGrowth::grow(design, growth, views);
    m_controls->place(grown);
    const LayoutRect initial = design.at(id(Ctl::Preview));
    m_workbench->magAreas().setInitialPreviewSize({initial.width, initial.height});
    m_workbench->previewResized();
}

void CCorvelDlg::runReadAssignment() {
    if (m_reader == nullptr) {
        m_reader = new ReadAssignRunner(this, *m_workbench, m_view, m_prompter);
    }
    m_reader->start();
}

void CCorvelDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // The start-up request acts on the window as the operator sees it.
        QTimer::singleShot(0, this, [this] { m_workbench->actOnStartupRequest(); });
    }
}

void CCorvelDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    reportNormalGeometry();
}

void CCorvelDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    reportNormalGeometry();
}

void CCorvelDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    // Reports come in the window manager's order, a maximise at opening possibly long after the
    // placing; the placement keeps its rectangle whatever the order.
    const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    const bool wasMaximized = old.testFlag(Qt::WindowMaximized);
    if (isMaximized() && !wasMaximized) {
        m_workbench->placement().maximizing(restoredRect());
    } else if (wasMaximized && !isMaximized() && !isMinimized()) {
        m_workbench->placement().restoring();
        QTimer::singleShot(0, this, [this] { reportNormalGeometry(); });
    }
}

void CCorvelDlg::closeEvent(QCloseEvent* event) {
    if (!m_workbench->requestClose(restoredRect(), isMaximized())) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CCorvelDlg::keyPressEvent(QKeyEvent* event) {
    // A key on the window itself does nothing, Escape included; Enter presses the default button
    // only when that is "割り当て" (the hidden "ダミー" is never pressed).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_view.defaultButton() == id(Ctl::Assign)) {
            auto* assign = qobject_cast<QAbstractButton*>(m_view.control(id(Ctl::Assign)));
            if (assign && assign->isEnabled() && assign->isVisible()) {
                assign->click();
            }
        }
    }
    event->accept();
}

bool CCorvelDlg::eventFilter(QObject* watched, QEvent* event) {
    if (!m_controls || !m_client) {
        return QDialog::eventFilter(watched, event);
    }
    if (watched == m_client && event->type() == QEvent::Resize) {
        relayout();
    } else if (watched == m_controls->templateBox() && event->type() == QEvent::FocusIn) {
        m_workbench->templateBoxFocused();
    }
    return QDialog::eventFilter(watched, event);
}

bool CCorvelDlg::runImageEditor(const std::string& path, bool overA0, bool noiseErase) {
    return CImageDlg::run(path, overA0, noiseErase, m_prompter, this);
}

void CCorvelDlg::runVersionDialog() {
    CVersionDlg dialog(QString::fromLatin1(programversion::kVersion),
                       QString::fromLatin1(programversion::kBuildNumber), false, this);
    dialog.exec();
}

void CCorvelDlg::showGuide(const std::string& htmlPath) {
    if (!m_guide) {
        m_guide = new GuideWindow(this);
    }
    m_guide->showGuide(qttext::fromCp932(htmlPath));
}

bool CCorvelDlg::runTemplateEditor(const std::string& currentTemplate) {
    const WorkbenchState& state = m_workbench->state();
    const Settings& settings = m_workbench->settingsStore().settings();
    const TemplateEditorEnv env{
        m_workbench->templateBox().folder(),
        m_prompter,
        m_context.paths.dataFolder(),
        settings.csvRowNum,
        settings.exportType == 2 && state.registrationAgentInstalled,
        &m_workbench->launcher(),
        {settings.quentryPath, m_context.applicationProfile, m_context.paths.registry().path()}};
    CTemplateMainDlg dialog(env, currentTemplate, this);
    dialog.exec();
    return dialog.currentTemplateEdited();
}

void CCorvelDlg::closeWindow() {
    close();
}

int CCorvelDlg::popupMenu(MenuId menu, const std::vector<MenuItem>& items) {
    return m_menus->popup(menu, items);
}

void CCorvelDlg::runEnvironmentDialog(EnvironmentForm& form) {
    CEnvDlg dialog(form, m_prompter, this);
    dialog.exec();
}

void CCorvelDlg::layoutMagnifiedViews(int count) {
    m_controls->showMagViews(count);
    relayout();
}

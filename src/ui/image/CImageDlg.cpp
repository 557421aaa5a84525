#include "ui/image/CImageDlg.h"

#include "base/Prompter.h"
#include "ui/image/ImageDisplay.h"
#include "zoomwell/Zoomwell.h"
#include "zoomwell/ZoomwellInput.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

using Kind = ImageEditRules::Kind;
using Range = ImageEditRules::Range;
using Scroll = ImageEditRules::Scroll;

// A wait cursor for the length of one edit.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QGroupBox* radioGroup(const QString& title, const QStringList& labels, QButtonGroup* group,
                      QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(box);
    for (int i = 0; i < labels.size(); ++i) {
        auto* radio = new QRadioButton(labels[i], box);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return box;
}

} // namespace

bool CImageDlg::run(const std::string& path, bool overA0, bool noiseErase, Prompter& prompter,
                    QWidget* parent) {
    ImageEditor editor;
    if (const auto refused = editor.open(path)) {
        prompter.tell(*refused);
        return false;
    }
    CImageDlg dialog(editor, overA0, noiseErase, prompter, parent);
    return dialog.exec() == QDialog::Accepted;
}

CImageDlg::CImageDlg(ImageEditor& editor, bool overA0, bool noiseErase, Prompter& prompter,
                     QWidget* parent)
    : QDialog(parent), m_editor(editor), m_prompter(prompter), m_noiseErase(noiseErase) {
    setWindowTitle(QStringLiteral("画像編集"));
    m_stage = new QWidget(this);
    m_display = new ImageDisplay(m_stage);
    m_display->setPaintMode(overA0 ? ImageDisplay::PaintMode::Fast
                                   : ImageDisplay::PaintMode::Smooth);
    m_zoomwell = new Zoomwell(m_stage);
    m_zoomwell->setMessageBoxesShown(false);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_stage, 1);
    layout->addWidget(buildControls());

    // The Zoomwell lies 2 pixels up and left of the display: its points less the offset are the
    // display's.
    const auto displayPoint = [](float x, float y) {
        return QPoint(int(x), int(y)) -
               QPoint(ImageEditRules::ZoomwellOffset, ImageEditRules::ZoomwellOffset);
    };
    connect(m_zoomwell, &Zoomwell::MouseDownUserControl, this,
            [this, displayPoint](qint16& button, qint16&, float& x, float& y) {
                if (button == ZoomwellInput::LeftButton) {
                    deskewClick(displayPoint(x, y));
                }
            });
    connect(m_zoomwell, &Zoomwell::MouseMoveUserControl, this,
            [this, displayPoint](qint16&, float& x, float& y, qint16&) {
                deskewMove(displayPoint(x, y));
            });
    connect(m_display, &ImageDisplay::regionChanged, this,
            [this] { m_noiseRun->setEnabled(m_display->hasRegion()); });

    showPage();
    resize(1100, 760);
    setKind(Kind::Rotate);
}

QWidget* CImageDlg::buildControls() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    m_kinds = new QButtonGroup(panel);
    column->addWidget(
        radioGroup(QStringLiteral("編集処理"),
                   {QStringLiteral("回転"), QStringLiteral("傾き補正"), QStringLiteral("ﾉｲｽﾞ除去")},
                   m_kinds, panel));
    m_kinds->button(int(Kind::Noise))->setVisible(ImageEditRules::isNoiseOffered(m_noiseErase));
    connect(m_kinds, &QButtonGroup::idClicked, this, [this](int id) { setKind(Kind(id)); });

    m_rotateGroup = new QGroupBox(QStringLiteral("回転"), panel);
    auto* rotate = new QHBoxLayout(m_rotateGroup);
    auto* left = new QPushButton(QStringLiteral("左回転"), m_rotateGroup);
    auto* right = new QPushButton(QStringLiteral("右回転"), m_rotateGroup);
    rotate->addWidget(left);
    rotate->addWidget(right);
    connect(left, &QPushButton::clicked, this, [this] { turn(-ImageEditRules::QuarterTurn); });
    connect(right, &QPushButton::clicked, this, [this] { turn(ImageEditRules::QuarterTurn); });
    column->addWidget(m_rotateGroup);

    m_deskewGroup = new QGroupBox(QStringLiteral("傾き補正"), panel);
    auto* deskew = new QVBoxLayout(m_deskewGroup);
    m_deskewRun = new QPushButton(QStringLiteral("実行"), m_deskewGroup);
    deskew->addWidget(m_deskewRun);
    connect(m_deskewRun, &QPushButton::clicked, this, &CImageDlg::runDeskew);
    column->addWidget(m_deskewGroup);

    m_ranges = new QButtonGroup(panel);
    m_rangeGroup =
        radioGroup(QStringLiteral("範囲"),
                   {QStringLiteral("全体"), QStringLiteral("範囲内"), QStringLiteral("範囲外")},
                   m_ranges, panel);
    connect(m_ranges, &QButtonGroup::idClicked, this, [this](int id) { setRange(Range(id)); });
    column->addWidget(m_rangeGroup);
    auto* shapes = new QButtonGroup(panel);
    m_shapeGroup = radioGroup(QStringLiteral("図形選択"),
                              {QStringLiteral("四角"), QStringLiteral("楕円")}, shapes, panel);
    connect(shapes, &QButtonGroup::idClicked, this, [this](int id) {
        m_shape = id == 0 ? BitmapRegion::Rectangle : BitmapRegion::Ellipse;
        setRange(m_range);
    });
    column->addWidget(m_shapeGroup);

    m_noiseGroup = new QGroupBox(QStringLiteral("ﾉｲｽﾞ除去"), panel);
    auto* noise = new QVBoxLayout(m_noiseGroup);
    auto* valueRow = new QHBoxLayout;
    m_noiseBar = new QScrollBar(Qt::Horizontal, m_noiseGroup);
    m_noiseBar->setRange(ImageEditRules::NoiseMin, ImageEditRules::NoiseMax);
    m_noiseBar->setSingleStep(ImageEditRules::NoiseLineStep);
    m_noiseBar->setPageStep(ImageEditRules::NoisePageStep);
    m_noiseEcho = new QLineEdit(m_noiseGroup);
    m_noiseEcho->setReadOnly(true);
    m_noiseEcho->setMaximumWidth(40);
    valueRow->addWidget(m_noiseBar, 1);
    valueRow->addWidget(m_noiseEcho);
    noise->addLayout(valueRow);
    auto* hint =
        new QLabel(QStringLiteral("ﾉｲｽﾞ除去値が大きい程、大きなﾉｲｽﾞを除去します。"), m_noiseGroup);
    hint->setWordWrap(true);
    noise->addWidget(hint);
    m_magnifier = new QPushButton(QStringLiteral("拡大鏡"), m_noiseGroup);
    m_magnifier->setCheckable(true);
    m_noiseRun = new QPushButton(QStringLiteral("実行"), m_noiseGroup);
    noise->addWidget(m_magnifier);
    noise->addWidget(m_noiseRun);
    connect(m_noiseBar, &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return scrolled(Scroll::LineLeft);
        case QAbstractSlider::SliderSingleStepAdd:
            return scrolled(Scroll::LineRight);
        case QAbstractSlider::SliderPageStepSub:
            return scrolled(Scroll::PageLeft);
        case QAbstractSlider::SliderPageStepAdd:
            return scrolled(Scroll::PageRight);
        case QAbstractSlider::SliderToMinimum:
            return scrolled(Scroll::Home);
        case QAbstractSlider::SliderToMaximum:
            return scrolled(Scroll::End);
        default:
            return scrolled(Scroll::Thumb, m_noiseBar->sliderPosition());
        }
    });
    connect(m_magnifier, &QPushButton::toggled, this, &CImageDlg::setMagnifier);
    connect(m_noiseRun, &QPushButton::clicked, this, &CImageDlg::runNoise);
    column->addWidget(m_noiseGroup);
    showNoiseValue();

    column->addStretch(1);
    auto* buttons = new QDialogButtonBox(panel);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImageDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImageDlg::reject);
    column->addWidget(buttons);
    panel->setFixedWidth(280);
    return panel;
}

void CImageDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeOverlay();
}

void CImageDlg::placeOverlay() {
    const int offset = ImageEditRules::ZoomwellOffset;
    m_display->setGeometry(m_stage->rect().adjusted(offset, offset, 0, 0));
    m_zoomwell->setGeometry(m_stage->rect());
    m_zoomwell->raise();
}

QPoint CImageDlg::pageOrigin() const {
    return m_display->destinationRect().topLeft();
}

void CImageDlg::showPage() {
    m_display->setBitmap(m_editor.page().copy());
}

void CImageDlg::resetTools() {
    m_display->setPointer(ImageDisplay::Pointer::Normal);
    m_line.clear();
    m_display->hideRubberBand();
    m_display->hideMarkedLine();
    m_display->stopRegionTool();
    m_display->deleteRegion();
    m_zoomwell->ShowGuideLine(false);
}

void CImageDlg::applyLayout() {
    const ImageEditRules::Layout layout = ImageEditRules::layoutFor(m_kind, m_range);
    m_rotateGroup->setVisible(layout.rotateGroup);
    m_deskewGroup->setVisible(layout.deskewGroup);
    for (QGroupBox* box : {m_rangeGroup, m_shapeGroup, m_noiseGroup}) {
        box->setVisible(layout.noiseGroups);
    }
    m_zoomwell->ShowGuideLine(layout.guideLines);
    // Deskew clicks come through the Zoomwell lying over the display; the region tool and the
    // magnifier need the display's own mouse.
    m_zoomwell->setVisible(m_kind == Kind::Deskew);
    m_display->setPointer(layout.crossPointer ? ImageDisplay::Pointer::Cross
                                              : ImageDisplay::Pointer::Normal);
    m_deskewRun->setEnabled(m_kind == Kind::Deskew && layout.runEnabled);
    m_noiseRun->setEnabled(m_kind == Kind::Noise && layout.runEnabled);
    if (m_kind == Kind::Noise && m_range != Range::Whole) {
        m_display->startRegionTool(m_shape);
    }
}

void CImageDlg::setKind(Kind kind) {
    m_kind = kind;
    m_kinds->button(int(kind))->setChecked(true);
    resetTools();
    applyLayout();
}

void CImageDlg::setRange(Range range) {
    m_range = range;
    m_ranges->button(int(range))->setChecked(true);
    resetTools();
    applyLayout();
}

void CImageDlg::deskewClick(const QPoint& at) {
    if (m_kind != Kind::Deskew) {
        return;
    }
    const QPoint page = at - pageOrigin();
    switch (m_line.click(page.x(), page.y(), m_display->displayedWidth(),
                         m_display->displayedHeight())) {
    case DeskewLine::Click::Started:
        m_display->hideMarkedLine();
        m_deskewRun->setEnabled(false);
        break;
    case DeskewLine::Click::Completed:
        m_display->hideRubberBand();
        m_display->showMarkedLine(pageOrigin() + QPoint(m_line.startX(), m_line.startY()),
                                  pageOrigin() + QPoint(m_line.endX(), m_line.endY()), Qt::red);
        m_deskewRun->setEnabled(true);
        break;
    case DeskewLine::Click::Ignored:
    case DeskewLine::Click::Outside:
        break;
    }
}

void CImageDlg::deskewMove(const QPoint& at) {
    const QPoint page = at - pageOrigin();
    if (m_kind == Kind::Deskew && m_line.move(page.x(), page.y())) {
        m_display->showRubberLine(pageOrigin() + QPoint(m_line.startX(), m_line.startY()), at);
    }
}

void CImageDlg::turn(int hundredths) {
    WaitCursor wait;
    if (m_editor.rotate(hundredths)) {
        showPage();
    }
}

void CImageDlg::runDeskew() {
    if (!m_line.isComplete()) {
        return;
    }
    const int hundredths = m_line.hundredths();
    resetTools();
    applyLayout();
    turn(hundredths);
}

void CImageDlg::runNoise() {
    m_noiseRun->setEnabled(false);
    std::optional<Msg> refused;
    {
        WaitCursor wait;
        const BitmapRegion region = m_display->region();
        refused =
            m_editor.eraseNoise(m_range, m_noiseValue, m_range == Range::Whole ? nullptr : &region);
    }
    if (refused) {
        m_prompter.tell(*refused);
        if (*refused == Msg::EditRegionTooSmall) {
            m_display->deleteRegion();
        }
    } else {
        const BitmapRegion region = m_display->region();
        showPage();
        m_display->setRegion(region);
    }
    m_noiseRun->setEnabled(m_range == Range::Whole);
}

void CImageDlg::setMagnifier(bool on) {
    for (QWidget* w : findChildren<QWidget*>()) {
        if ((qobject_cast<QAbstractButton*>(w) != nullptr ||
             qobject_cast<QScrollBar*>(w) != nullptr) &&
            w != m_magnifier) {
            w->setEnabled(!on);
        }
    }
    if (on) {
        m_display->stopRegionTool();
        m_display->deleteRegion();
        m_display->startMagnifier();
    } else {
        m_display->stopMagnifier();
        applyLayout();
    }
}

void CImageDlg::scrolled(Scroll action, int thumb) {
    m_noiseValue = ImageEditRules::scrolledNoiseValue(m_noiseValue, action, thumb);
    showNoiseValue();
}

void CImageDlg::showNoiseValue() {
    m_noiseBar->setSliderPosition(m_noiseValue);
    m_noiseEcho->setText(QString::number(m_noiseValue));
}

void CImageDlg::accept() {
    m_magnifier->setChecked(false);
    if (const auto refused = m_editor.save()) {
        m_prompter.tell(*refused);
    }
    QDialog::accept();
}

void CImageDlg::reject() {
    m_magnifier->setChecked(false);
    QDialog::reject();
}

#pragma once

#include "image/DeskewLine.h"
#include "image/ImageEditRules.h"
#include "image/ImageEditor.h"

#include <QDialog>
#include <string>

class ImageDisplay;
class Prompter;
class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class Zoomwell;

// "画像編集": the image editor over one single-page TIFF. A thin skin over ImageEditor (the edits
// and the save), DeskewLine (the two clicks) and ImageEditRules (angle, steps, layouts).
class CImageDlg : public QDialog {
    Q_OBJECT
public:
    // Runs the editor modally on path (cp932); true when it ended with OK. A file that fails the
    // opening checks gets its message and counts as cancelled.
    static bool run(const std::string& path, bool overA0, bool noiseErase, Prompter& prompter,
                    QWidget* parent);

    CImageDlg(ImageEditor& editor, bool overA0, bool noiseErase, Prompter& prompter,
              QWidget* parent = nullptr);

    ImageDisplay* display() const { return m_display; }
    Zoomwell* zoomwell() const { return m_zoomwell; }
    void setKind(ImageEditRules::Kind kind);
    void setRange(ImageEditRules::Range range);
    // A left click and a pointer move on the display during deskew (display widget pixels).
    void deskewClick(const QPoint& at);
    void deskewMove(const QPoint& at);

    void accept() override;
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildControls();
    void placeOverlay();
    void resetTools();
    void applyLayout();
    void showPage();
    void turn(int hundredths);
    void runDeskew();
    void runNoise();
    void setMagnifier(bool on);
    void scrolled(ImageEditRules::Scroll action, int thumb = 0);
    void showNoiseValue();
    QPoint pageOrigin() const;

    ImageEditor& m_editor;
    Prompter& m_prompter;
    bool m_noiseErase;
    ImageEditRules::Kind m_kind = ImageEditRules::Kind::Rotate;
    ImageEditRules::Range m_range = ImageEditRules::Range::Whole;
    BitmapRegion::Shape m_shape = BitmapRegion::Rectangle;
    int m_noiseValue = ImageEditRules::NoiseInitial;
    DeskewLine m_line;

    QWidget* m_stage = nullptr;
    ImageDisplay* m_display = nullptr;
    Zoomwell* m_zoomwell = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QButtonGroup* m_ranges = nullptr;
    QGroupBox* m_rotateGroup = nullptr;
    QGroupBox* m_deskewGroup = nullptr;
    QGroupBox* m_rangeGroup = nullptr;
    QGroupBox* m_shapeGroup = nullptr;
    QGroupBox* m_noiseGroup = nullptr;
    QPushButton* m_deskewRun = nullptr;
    QPushButton* m_noiseRun = nullptr;
    QPushButton* m_magnifier = nullptr;
    QScrollBar* m_noiseBar = nullptr;
    QLineEdit* m_noiseEcho = nullptr;
};

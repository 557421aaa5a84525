#pragma once

#include "workbench/LayoutRect.h"

#include <QPointer>
#include <QWidget>
#include <map>

class CellGrid;
class CorvelView;
class CVSFlexGrid;
class MagAreaPaneView;
class PreviewPaneView;
class QAbstractButton;
class TemplateComboBox;
class QProgressBar;
class QStatusBar;

// Builds every control of the main window on its client area, each with its caption and its
// control id, registers them with the view, and places them by a layout. The preview's displays
// come made (PreviewPaneView, on the same client area) and are registered and placed alike.
class MainWindowControls {
public:
    MainWindowControls(QWidget* client, CorvelView& view, PreviewPaneView& preview,
                       MagAreaPaneView& areas, CellGrid& renameGrid, CellGrid& imageGrid);

    QWidget* widget(int id) const;
    // The buttons (command buttons, page buttons and the designation box) by id.
    const std::map<int, QAbstractButton*>& buttons() const { return m_buttons; }
    TemplateComboBox* templateBox() const { return m_templateBox; }
    CVSFlexGrid* renameGrid() const { return m_renameGrid; }
    CVSFlexGrid* imageGrid() const { return m_imageGrid; }
    QStatusBar* statusBar() const { return m_statusBar; }
    QProgressBar* progressBar() const { return m_progress; }

    // Places every control that exists at its rectangle; the status bar's text part keeps its
    // 400 pixels and the progress bar takes the rest.
    void place(const Layout& layout);
    // Shows the second magnified preview only when two are used.
    void showMagViews(int count);

    static constexpr int kStatusTextWidth = 400;

private:
    template <typename W> W* add(int id, W* widget);
    void addButton(int id, const char* caption);
    void addLabel(int id, const char* caption);
    void addTextField(int id);
    void addStatic(int id);
    void buildPreviewPane(PreviewPaneView& preview, MagAreaPaneView& areas);
    void buildListSide();
    void buildStatusBar();
    void registerHeaderMarks();
    void registerAssignMarks();

    QWidget* m_client;
    CorvelView& m_view;
    std::map<int, QPointer<QWidget>> m_widgets;
    std::map<int, QAbstractButton*> m_buttons;
    TemplateComboBox* m_templateBox = nullptr;
    CVSFlexGrid* m_renameGrid = nullptr;
    CVSFlexGrid* m_imageGrid = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QProgressBar* m_progress = nullptr;
};

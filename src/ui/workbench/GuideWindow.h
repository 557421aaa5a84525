#pragma once

#include <QWidget>

class QTextBrowser;

// The operator's guide inside the program: its HTML copy in a window of its own beside the main
// window, for a desktop without a PDF viewer. Links within the guide are followed; links to
// anything else open with the desktop.
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    explicit GuideWindow(QWidget* owner);

    // Loads the guide from path (shown again from its top when it is another file) and shows
    // the window in front.
    void showGuide(const QString& path);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

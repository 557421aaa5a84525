#pragma once

#include <string>

// The main window's face as the program logic sees it: controls addressed by their ids, the
// status bar and its progress bar, the wait cursor. Texts are cp932.
class MainView {
public:
    virtual ~MainView() = default;

    virtual void enableControl(int id, bool enabled) = 0;
    virtual void showControl(int id, bool visible) = 0;
    virtual void setControlText(int id, const std::string& text) = 0;
    virtual void setControlChecked(int id, bool checked) = 0;
    virtual void focusControl(int id) = 0;
    virtual void setDefaultButton(int id) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    virtual void setProgressRange(int minimum, int maximum) = 0;
    virtual void setProgressPos(int position) = 0;
    virtual void setWaitCursor(bool waiting) = 0;
};

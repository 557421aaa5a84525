#pragma once

#include "workbench/Cmd.h"

#include <string>
#include <vector>

class EnvironmentForm;

// What the main window's logic asks of the window itself: the modal windows it opens over
// itself, and closing.
class DialogHost {
public:
    virtual ~DialogHost() = default;

    // The version window with its OK button; returns when it is closed.
    virtual void runVersionDialog() = 0;
    // The operator's guide (its HTML copy, path in cp932) in a help window of the program,
    // beside the main window; shown again and raised when it is open already.
    virtual void showGuide(const std::string& htmlPath) = 0;
    // The template editor over the window; currentTemplate is the main window's template name
    // (without ".tpl"). True when that template was edited and saved.
    virtual bool runTemplateEditor(const std::string& currentTemplate) = 0;
    // The image editor on a single-page TIFF (path in cp932); overA0 chooses the fast painting
    // of pages larger than A0, noiseErase offers noise removal. True when it ended with OK.
    virtual bool runImageEditor(const std::string& path, bool overA0, bool noiseErase) = 0;
    // Asks the window to close, as its close button does.
    virtual void closeWindow() = 0;

    struct MenuItem {
        int command;
        bool enabled;
        bool checked = false; // for the items that can be checked
    };
    // Shows a context menu at the mouse pointer with its items enabled and checked as given;
    // returns the chosen command, 0 when the menu was dismissed.
    virtual int popupMenu(MenuId menu, const std::vector<MenuItem>& items) = 0;

    // The environment settings dialog over the window on form; returns when it was closed with
    // OK (form.confirm() accepted the values) or Cancel (form.cancel() was called).
    virtual void runEnvironmentDialog(EnvironmentForm& form) = 0;
    // The number of magnified views changed: the window lays its views out for count (1 or 2).
    virtual void layoutMagnifiedViews(int count) = 0;
    // "読取り割り当て...": reads the unassigned images in the background and shows the
    // suggestions for confirmation. A window without a screen has nothing to show.
    virtual void runReadAssignment() {}
};

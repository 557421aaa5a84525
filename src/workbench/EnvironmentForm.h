#pragma once

#include "app/EnvironmentValues.h"
#include "app/ExtensionList.h"

#include <optional>

class Prompter;
class SettingsStore;

// The environment settings dialog without its widgets: the values its four pages edit, the
// enabling rules, the extension list of its extension dialog, and what OK and Cancel do (the
// checks in their order, the reload notices, the writing of the settings). The dialog shows
// and collects the values; a refusal names the page and control to go to.
class EnvironmentForm {
public:
    enum class Page { Export = 0, Preview = 1, Assign = 2, Other = 3 };
    // The controls a refusal puts the focus on, by their ids.
    enum class Field { Margin = 1029, ExportFilename = 1030, PageList = 1032, Browse = 1081 };
    struct Refusal {
        Page page;
        Field field;
    };

    // Reads the values from the settings file; imagesLoaded decides whether changes that need
    // the image folder read again announce a reload.
    EnvironmentForm(SettingsStore& store, Prompter& prompter, bool imagesLoaded);

    // What the pages show and change.
    EnvironmentValues& values() { return m_values; }
    const EnvironmentValues& opened() const { return m_opened; }

    // The enabling rules of the controls.
    static bool pageListEnabled(const EnvironmentValues& v) { return v.prevPage == 2; }
    static bool datePickerEnabled(const EnvironmentValues& v) { return v.initDateType == 1; }
    static bool fileExistCheckEnabled(const EnvironmentValues& v) { return !v.exportAddConse; }

    // The extension dialog: opened on the extensions of TargetExt; OK writes them at once.
    ExtensionList extensions();
    void saveExtensions(const ExtensionList& list);

    // OK: the checks in order. A refusal has shown its message (and reset a refused margin or
    // page list to its opening text) and leaves the dialog open; otherwise the settings are
    // written and the dialog may close.
    std::optional<Refusal> confirm();
    // Cancel: nothing is written; changed extensions still announce a reload.
    void cancel();

    bool confirmed() const { return m_confirmed; }
    // The image folder is to be read again once the dialog has closed.
    bool reloadAnnounced() const { return m_reload; }

private:
    std::optional<Refusal> refuse(Msg message, Page page, Field field);
    void announce(Msg message);
    bool extensionsChanged() const;
    bool pageChoiceChanged() const;

    SettingsStore& m_store;
    Prompter& m_prompter;
    bool m_imagesLoaded;
    EnvironmentValues m_opened;
    EnvironmentValues m_values;
    bool m_extensionsSaved = false;
    bool m_confirmed = false;
    bool m_reload = false;
};

#include "workbench/EnvironmentForm.h"

#include "app/EnvironmentChecks.h"
#include "app/SettingsStore.h"
#include "base/Prompter.h"

EnvironmentForm::EnvironmentForm(SettingsStore& store, Prompter& prompter, bool imagesLoaded)
    : m_store(store), m_prompter(prompter), m_imagesLoaded(imagesLoaded),
      m_opened(store.loadForEnvironmentDialog()), m_values(m_opened) {
}

ExtensionList EnvironmentForm::extensions() {
    return ExtensionList(m_store.loadTargetExtensions());
}

void EnvironmentForm::saveExtensions(const ExtensionList& list) {
    m_store.saveTargetExtensions(list.entries());
    m_extensionsSaved = true;
}

bool EnvironmentForm::extensionsChanged() const {
    return m_extensionsSaved && m_store.settings().targetExt != m_opened.targetExt;
}

bool EnvironmentForm::pageChoiceChanged() const {
    return m_values.prevPage != m_opened.prevPage ||
           (m_values.prevPage == 2 && m_values.prevPageSelect != m_opened.prevPageSelect);
}

std::optional<EnvironmentForm::Refusal> EnvironmentForm::refuse(Msg message, Page page,
                                                                Field field) {
    m_prompter.tell(message);
    return Refusal{page, field};
}

void EnvironmentForm::announce(Msg message) {
    m_prompter.tell(message);
    m_reload = true;
}

std::optional<EnvironmentForm::Refusal> EnvironmentForm::confirm() {
    // Every attempt decides anew: a notice of an attempt that a later check refused does not
    // outlive it.
    m_reload = false;
    EnvironmentValues& v = m_values;

    const envcheck::Checked margin = envcheck::margin(v.margin);
    if (margin.refusal) {
        v.margin = m_opened.margin;
        return refuse(*margin.refusal, Page::Preview, Field::Margin);
    }
    v.margin = margin.text;
    if (m_imagesLoaded && v.margin != m_opened.margin) {
        announce(Msg::EnvMarginReload);
    }

    const envcheck::Checked name =
        envcheck::exportName(v.exportFilename, v.exportType, v.dispInputDlg == 1);
    if (name.refusal) {
        return refuse(*name.refusal, Page::Export, Field::ExportFilename);
    }
    v.exportFilename = name.text;

    if (v.exportSelectFolder == 1 && v.exportSelectFolderPath.empty()) {
        return refuse(Msg::EnvSecondFolderEmpty, Page::Export, Field::Browse);
    }

    if (pageListEnabled(v)) {
        const envcheck::Checked pages = envcheck::pageList(v.prevPageSelect);
        if (pages.refusal) {
            v.prevPageSelect = m_opened.prevPageSelect;
            return refuse(*pages.refusal, Page::Preview, Field::PageList);
        }
        v.prevPageSelect = pages.text;
    }
    if (m_imagesLoaded && !m_reload && pageChoiceChanged()) {
        announce(Msg::EnvPageReload);
    }
    if (m_imagesLoaded && !m_reload && extensionsChanged()) {
        announce(Msg::EnvExtensionReload);
    }

    m_store.saveFromEnvironmentDialog(v);
    m_confirmed = true;
    return std::nullopt;
}

void EnvironmentForm::cancel() {
    m_reload = false;
    if (m_imagesLoaded && extensionsChanged()) {
        announce(Msg::EnvExtensionReload);
    }
}

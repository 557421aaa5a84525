#pragma once

#include "app/AppContext.h"
#include "app/LaunchRequester.h"
#include "base/RecordingMainView.h"
#include "workbench/DialogHost.h"
#include "workbench/ListBoxView.h"
#include "workbench/MagAreaView.h"
#include "workbench/PreviewDisplay.h"
#include "workbench/Workbench.h"

#include <map>
#include <memory>
#include <string>

class Prompter;

// A main window without a screen for the commands that work on the window's state: its
// Workbench over the data folder, with every control recorded and nothing drawn. Menus are
// dismissed, no outside program is started, the displays hold no page, no area is drawn.
class HeadlessWindow : private ListBoxView,
                       private DialogHost,
                       private LaunchRequester,
                       private PreviewDisplay,
                       private MagAreaView {
public:
    HeadlessWindow(const std::string& dataFolder, Prompter& prompter);
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    Workbench& workbench() { return *m_workbench; }
    const RecordingMainView& view() const { return m_view; }
    const std::string& dataFolder() const { return m_dataFolder; }

private:
    // ListBoxView
    void setListItems(int id, const std::vector<std::string>& items, int index) override;
    void setListIndex(int id, int index) override { m_index[id] = index; }
    int listIndex(int id) const override;
    // DialogHost
    void runVersionDialog() override {}
    void showGuide(const std::string&) override {}
    bool runTemplateEditor(const std::string&) override { return false; }
    void closeWindow() override {}
    // Without a screen there is no editor to show; nomira-cli edit edits files directly.
    bool runImageEditor(const std::string&, bool, bool) override { return false; }
    int popupMenu(MenuId, const std::vector<MenuItem>&) override { return 0; }
    // Without a screen the environment dialog closes as with Cancel; nomira-cli settings shows
    // the values.
    void runEnvironmentDialog(EnvironmentForm& form) override;
    void layoutMagnifiedViews(int) override {}
    // LaunchRequester
    void setEnabled(bool) override {}
    void bringToFront() override {}
    void post(int, std::unique_ptr<LaunchAttachment>) override {}
    void reportLaunchFailure() override {}
    // PreviewDisplay
    int load(int, const std::string&, int) override { return 1; }
    void clear(int) override {}
    bool hasPage(int) const override { return false; }
    void setAutoRepaint(int, bool) override {}
    void setZoom(int, int) override {}
    PreviewMetrics metrics(int) const override { return {}; }

    std::string m_dataFolder;
    AppContext m_context;
    RecordingMainView m_view;
    std::map<int, int> m_index;
    std::unique_ptr<Workbench> m_workbench;
};

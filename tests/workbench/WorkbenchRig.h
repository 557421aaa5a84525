#pragma once

#include "app/AppContext.h"
#include "base/CellGrid.h"
#include "base/FileSystem.h"
#include "base/RecordingMainView.h"
#include "base/ScriptedPrompter.h"
#include "support/MagAreaViewRecorder.h"
#include "support/TempDir.h"
#include "support/WorkbenchDoubles.h"
#include "support/WorkbenchFixtures.h"
#include "support/WorkbenchPreviewDisplay.h"
#include "workbench/Ctl.h"
#include "workbench/Workbench.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

// A main window without a screen over a data folder made for the test, with the templates
// "demo", "other" (good), "broken" (listed, unreadable) and "notes" (not a template).
class WorkbenchRig : public ::testing::Test {
protected:
    void SetUp() override {
        m_data = std::make_unique<WorkbenchDataFolder>(m_tmp.path());
        m_data->writeGoodTemplate("demo");
        m_data->writeGoodTemplate("other");
        m_data->writeBrokenTemplate("broken");
        m_data->writeTemplate("notes", "; a comment first\r\n[ROWINFO]\r\nTYPE=1,\r\n");
    }

    // registryLines are appended to the registry store (after the data folder's key).
    void open(std::vector<std::string> systemLines, StartupRequest request = {},
              std::string_view registryLines = {}) {
        m_data = std::make_unique<WorkbenchDataFolder>(m_tmp.path(), std::move(systemLines));
        std::ofstream(files::native(m_data->registryPath()), std::ios::app) << registryLines;
        m_context = std::make_unique<AppContext>(
            AppContext{AppPaths(RegistryStore(m_data->registryPath()), "/opt/nomira/Nomira"),
                       request,
                       {},
                       {},
                       0});
        m_wb = std::make_unique<Workbench>(*m_context,
                                           Workbench::Seams{m_view, m_list, m_prompter, m_host,
                                                            m_requester, m_display, m_areaView});
        m_wb->open();
    }

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> out;
        for (const auto& s : m_prompter.shown()) {
            out.push_back(u8(s.text));
        }
        return out;
    }

    // The operator picks an entry: the box shows it, then the window reports the change.
    void pick(int index) {
        m_list.setListIndex(id(Ctl::TemplateBox), index);
        m_wb->templateSelected(index);
    }

    int box() const { return m_list.listIndex(id(Ctl::TemplateBox)); }
    const CellGrid& grid() { return m_wb->renameGrid(); }

    TempDir m_tmp;
    std::unique_ptr<WorkbenchDataFolder> m_data;
    RecordingMainView m_view;
    RecordingListBox m_list;
    ScriptedPrompter m_prompter;
    RecordingDialogHost m_host;
    RecordingRequester m_requester;
    WorkbenchPreviewDisplay m_display;
    MagAreaViewRecorder m_areaView;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<Workbench> m_wb;
};

#pragma once

#include "app/LaunchRequester.h"
#include "workbench/AssignmentPort.h"
#include "workbench/DialogHost.h"
#include "workbench/EnvironmentForm.h"
#include "workbench/ListBoxView.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The template box without a screen: keeps the items and the current entry.
class RecordingListBox : public ListBoxView {
public:
    void setListItems(int id, const std::vector<std::string>& items, int index) override {
        m_items[id] = items;
        m_index[id] = index;
        ++m_fills;
    }
    void setListIndex(int id, int index) override { m_index[id] = index; }
    int listIndex(int id) const override {
        const auto it = m_index.find(id);
        return it == m_index.end() ? -1 : it->second;
    }
    const std::vector<std::string>& items(int id) { return m_items[id]; }
    int fills() const { return m_fills; }

private:
    std::map<int, std::vector<std::string>> m_items;
    std::map<int, int> m_index;
    int m_fills = 0;
};

// The window's own services without a screen: counts what was asked and answers menus from a
// script.
class RecordingDialogHost : public DialogHost {
public:
    void runVersionDialog() override { ++versionShown; }
    void showGuide(const std::string& htmlPath) override { guidesShown.push_back(htmlPath); }
    bool runTemplateEditor(const std::string& currentTemplate) override {
        editorOpenedFor.push_back(currentTemplate);
        return editorEditsCurrent;
    }
    void closeWindow() override { ++closeRequests; }
    bool runImageEditor(const std::string& path, bool overA0, bool noiseErase) override {
        editedImages.push_back(path);
        editorOverA0 = overA0;
        editorNoiseErase = noiseErase;
        return editorAnswer;
    }
    int popupMenu(MenuId menu, const std::vector<MenuItem>& items) override {
        menus.push_back(menu);
        lastItems = items;
        return menuAnswer;
    }
    // The environment dialog acts on its form by the test's script; without one it is cancelled.
    void runEnvironmentDialog(EnvironmentForm& form) override {
        ++environmentShown;
        if (environmentScript) {
            environmentScript(form);
        } else {
            form.cancel();
        }
    }
    void layoutMagnifiedViews(int count) override { magViewLayouts.push_back(count); }

    int versionShown = 0;
    std::vector<std::string> guidesShown;
    std::vector<std::string> editorOpenedFor;
    bool editorEditsCurrent = false;
    int closeRequests = 0;
    std::vector<MenuId> menus;
    std::vector<MenuItem> lastItems;
    int menuAnswer = 0;
    std::vector<std::string> editedImages;
    bool editorOverA0 = false;
    bool editorNoiseErase = false;
    bool editorAnswer = false;
    int environmentShown = 0;
    std::function<void(EnvironmentForm&)> environmentScript;
    std::vector<int> magViewLayouts;
};

// A requesting window that only counts.
class RecordingRequester : public LaunchRequester {
public:
    void setEnabled(bool) override {}
    void bringToFront() override {}
    void post(int, std::unique_ptr<LaunchAttachment>) override { ++posts; }
    void reportLaunchFailure() override { ++failures; }

    int posts = 0;
    int failures = 0;
};

// An assignment list with a given number of records on no particular row; releasing everything
// empties it.
class CountedAssignments : public AssignmentPort {
public:
    explicit CountedAssignments(std::size_t n) : m_count(n) {}
    std::size_t count() const override { return m_count; }
    Availability availability() const override { return {}; }
    bool isRowAssigned(int row) const override { return row <= 0; }
    void releaseRow(int) override {}
    void releaseAll() override {
        m_count = 0;
        ++releases;
    }
    void shiftRows(int, int) override {}

    int releases = 0;

private:
    std::size_t m_count;
};

#pragma once

#include <string>
#include <string_view>
#include <vector>

// One column of a template file made for the main window's tests.
struct WorkbenchColumn {
    std::string name; // UTF-8
    int type = 1;
    bool hidden = false;
    int digits = 0;
    int decimals = 0;
    int load = 0;  // the CSV field that feeds the column (LOAD), 0 for none
    int sort1 = 0; // SORT1: 0 none, 1 ascending, 2 descending
};

// A template file (cp932, "\r\n") as the template editor writes it, with the given columns, the
// first column used in the file name, and the storage folder; rowWidth is the ROWWIDTH value
// (not written when empty).
std::string workbenchTemplateText(const std::vector<WorkbenchColumn>& columns,
                                  std::string_view storageFolder, bool rememberWidths = false,
                                  std::string_view rowWidth = {});

// A data folder with the files the main window reads: the registry store naming it (registry.ini
// beside the folder), Nomira.ini with the given SYSTEM lines, and the template folder.
class WorkbenchDataFolder {
public:
    // root: an existing empty folder; the data folder is root/data.
    WorkbenchDataFolder(std::string root, std::vector<std::string> systemLines = {});

    const std::string& dataFolder() const { return m_data; }
    std::string registryPath() const;
    std::string templateFolder() const;
    std::string settingsFile() const;
    // Writes template/<nameUtf8>.tpl with the given text; returns its path.
    std::string writeTemplate(std::string_view nameUtf8, std::string_view text) const;
    // A template of three columns (text "図番", hidden integer "枚数", real "縮尺") fed by the
    // first three fields of a list line.
    std::string writeGoodTemplate(std::string_view nameUtf8, bool rememberWidths = false,
                                  std::string_view rowWidth = {}) const;
    // A template whose TYPE key is missing: listed, but it cannot be read.
    std::string writeBrokenTemplate(std::string_view nameUtf8) const;

private:
    std::string m_root;
    std::string m_data;
};

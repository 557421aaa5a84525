#pragma once

#include "execute/ExportType.h"

#include <string>
#include <vector>

class FileChanges;
class Prompter;
struct Settings;
struct Template;

// Writes the export files of a run through the file-change seam: each file appears complete or
// not at all, as cp932 text with CR LF line ends.
class ExportWriter {
public:
    // One row of the run: its display texts (template column order) and the file name (with
    // extension, no folder) its images received; empty when none of them was written.
    struct Row {
        std::vector<std::string> cells;
        std::string renamedName;
    };

    ExportWriter(FileChanges& changes, Prompter& prompter, const Template& t,
                 const Settings& settings)
        : m_changes(changes), m_prompter(prompter), m_template(t), m_settings(settings) {}

    // rows in processing order; rows without a renamed name are left out.
    bool WriteLedgraList(const std::string& path, const std::vector<Row>& rows);
    // The definition file of the storage folder gives default cabinet and folder; when it cannot
    // be loaded the operator is told and nothing is written.
    bool WriteAgentList(const std::string& path, const std::vector<Row>& rows);
    // rows: the assigned rows in list order, failed ones included.
    bool WriteRenameListCsv(const std::string& path, const std::vector<Row>& rows);
    bool WriteRowCsv(const std::string& path, const Row& row);

    // Copies the written export files into ExportSelectFolderPath (the agent type with numbering
    // numbers typedName there anew). A failure is told to the operator; false then.
    bool CopyToSecondFolder(const std::vector<std::string>& written, const std::string& typedName);

private:
    bool writeLines(const std::string& path, std::vector<std::string> lines, ExportType type);

    FileChanges& m_changes;
    Prompter& m_prompter;
    const Template& m_template;
    const Settings& m_settings;
};

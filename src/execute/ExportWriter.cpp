#include "execute/ExportWriter.h"

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "execute/AgentDefinition.h"
#include "execute/ExportLines.h"
#include "execute/ExportName.h"
#include "execute/ExportSort.h"
#include "execute/FileChangeSteps.h"
#include "template/Template.h"

bool ExportWriter::writeLines(const std::string& path, std::vector<std::string> lines,
                              ExportType type) {
    exportsort::sortLines(lines, m_template, type, m_settings.addText);
    std::string content;
    for (const std::string& line : lines) {
        content += line + "\r\n";
    }
    return filesteps::writeWhole(m_changes, path, content, true);
}

bool ExportWriter::WriteLedgraList(const std::string& path, const std::vector<Row>& rows) {
    std::vector<std::string> lines;
    for (const Row& row : rows) {
        if (!row.renamedName.empty()) {
            lines.push_back(exportlines::ledgraLine(m_template, row.cells, row.renamedName));
        }
    }
    return writeLines(path, std::move(lines), ExportType::Ledgra);
}

bool ExportWriter::WriteAgentList(const std::string& path, const std::vector<Row>& rows) {
    const auto defaults = agentdefinition::readDefaults(files::parentFolder(path));
    if (!defaults) {
        m_prompter.tell(Msg::XmlLoadFailed);
        return false;
    }
    std::vector<std::string> lines;
    for (const Row& row : rows) {
        if (!row.renamedName.empty()) {
            lines.push_back(exportlines::agentLine(
                row.renamedName, exportlines::agentFields(m_template, row.cells), *defaults));
        }
    }
    return writeLines(path, std::move(lines), ExportType::Agent);
}

bool ExportWriter::WriteRenameListCsv(const std::string& path, const std::vector<Row>& rows) {
    std::vector<std::string> lines;
    for (const Row& row : rows) {
        lines.push_back(exportlines::renameListLine(m_template, row.cells, m_settings.addText,
                                                    row.renamedName));
    }
    return writeLines(path, std::move(lines), ExportType::RenameListCsv);
}

bool ExportWriter::WriteRowCsv(const std::string& path, const Row& row) {
    const std::string line = exportlines::renameListLine(m_template, row.cells, 0, std::string());
    return filesteps::writeWhole(m_changes, path, line + "\r\n", true);
}

bool ExportWriter::CopyToSecondFolder(const std::vector<std::string>& written,
                                      const std::string& typedName) {
    const std::string& folder = m_settings.exportSelectFolderPath;
    bool ok = true;
    for (const std::string& source : written) {
        std::string name = files::fileName(source);
        if (exportTypeOf(m_settings.exportType) == ExportType::Agent && m_settings.exportAddConse) {
            name = exportname::numbered(folder, typedName) + ".csv";
        }
        ok = filesteps::copy(m_changes, source, files::join(folder, name), true) && ok;
    }
    if (!ok) {
        m_prompter.tell(Msg::SecondCopyFailed);
    }
    return ok;
}

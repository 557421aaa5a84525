#include "execute/RenamePlan.h"

#include "app/Settings.h"
#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "execute/ExportName.h"
#include "execute/ExportType.h"
#include "execute/RenameNames.h"
#include "execute/TargetPath.h"
#include "template/Template.h"

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

std::string RenamePlan::Row::rowCsv() const {
    const std::size_t dot = cp932::findLastChar(target, '.');
    const std::size_t slash = cp932::findLastChar(target, files::kSeparator);
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? target.substr(0, dot) : target) + ".csv";
}

std::string RenamePlan::sequenceName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d%04d", n, 1);
    return name;
}

RenamePlan RenamePlan::compute(const Source& source) {
    RenamePlan plan;
    plan.storageFolder = source.t.storageFolder;
    plan.imageFolder = source.imageFolder;
    const bool ledgra = exportTypeOf(source.settings.exportType) == ExportType::Ledgra;
    std::unordered_map<std::string, std::size_t> rowOfKey;
    for (const Record& record : source.records) {
        const auto [at, added] = rowOfKey.emplace(record.rowKey, plan.rows.size());
        if (added) {
            Row row;
            row.rowKey = record.rowKey;
            row.row = std::atoi(record.rowKey.c_str());
            row.cells = source.cells(row.row);
            row.renameName = RenameNameForFile(source.t, row.cells, source.settings);
            row.checkName = RenameNameForCheck(source.t, row.cells, source.settings);
            plan.rows.push_back(std::move(row));
        }
        Row& row = plan.rows[at->second];
        row.images.push_back(record.fileName);
        row.pages.push_back(source.pageCount ? source.pageCount(record.fileName) : 0);
    }
    int sequence = 0;
    for (Row& row : plan.rows) {
        const std::string name = ledgra ? sequenceName(++sequence) : row.renameName;
        row.target = targetpath::forRow(plan.storageFolder, name, row.images);
        row.targetExists = files::exists(row.target);
    }
    return plan;
}

std::string RenamePlan::sourceOf(const std::string& fileName) const {
    return files::join(imageFolder, fileName);
}

std::size_t RenamePlan::imageCount() const {
    std::size_t count = 0;
    for (const Row& row : rows) {
        count += row.images.size();
    }
    return count;
}

std::optional<std::pair<std::size_t, std::size_t>> RenamePlan::duplicateNames() const {
    std::unordered_map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto [at, added] = seen.emplace(cp932::toUpperAscii(rows[i].checkName), i);
        if (!added) {
            return std::pair{at->second, i};
        }
    }
    return std::nullopt;
}

std::vector<std::string> RenamePlan::exportPaths(int exportType) const {
    const ExportType type = exportTypeOf(exportType);
    if (type == ExportType::RowCsv) {
        std::vector<std::string> paths;
        for (const Row& row : rows) {
            paths.push_back(row.rowCsv());
        }
        return paths;
    }
    return exportFile ? std::vector<std::string>{*exportFile} : std::vector<std::string>{};
}

void RenamePlan::setExportName(const std::string& name, const std::string& typed,
                               const Settings& settings) {
    typedExportName = typed;
    exportFile = exportname::exportFile(storageFolder, name);
    if (settings.exportSelectFolder == 1) {
        const std::string& folder = settings.exportSelectFolderPath;
        const bool renumber =
            exportTypeOf(settings.exportType) == ExportType::Agent && settings.exportAddConse;
        secondCopy =
            exportname::exportFile(folder, renumber ? exportname::numbered(folder, typed) : name);
    }
}

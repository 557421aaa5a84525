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
#include <filesystem>
#include <unordered_map>

namespace {

// The entries of the storage folder by their file keys (see targetpath::fileKey), so that a
// target finds an existing file whatever its letter case; listed once per plan.
std::unordered_map<std::string, std::string> entriesByKey(const std::string& folder) {
    std::unordered_map<std::string, std::string> entries;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(files::native(folder), error)) {
        const std::string path = files::join(folder, files::fromNative(entry.path().filename()));
        entries.emplace(targetpath::fileKey(path), path);
    }
    return entries;
}

} // namespace

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
    const auto existing = entriesByKey(plan.storageFolder);
    const bool rowCsv = exportTypeOf(source.settings.exportType) == ExportType::RowCsv;
    // file key -> the first row that writes the file, and its path
    std::unordered_map<std::string, Row::Taken> writerOf;
    int sequence = 0;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        Row& row = plan.rows[i];
        const std::string name = ledgra ? sequenceName(++sequence) : row.renameName;
        row.target = targetpath::forRow(plan.storageFolder, name, row.images);
        if (files::exists(row.target)) {
            row.existing = row.target;
        } else if (const auto found = existing.find(targetpath::fileKey(row.target));
                   found != existing.end()) {
            row.existing = found->second;
        }
        row.targetExists = !row.existing.empty();
        std::vector<std::string> written{row.target};
        if (rowCsv) {
            written.push_back(row.rowCsv());
        }
        for (const std::string& path : written) {
            row.nameTooLong = row.nameTooLong || targetpath::nameTooLong(path);
            const auto writer = writerOf.find(targetpath::fileKey(path));
            if (writer != writerOf.end() && !row.takenBy) {
                row.takenBy = writer->second;
            }
        }
        // Only a row that will be written holds its files against later rows.
        for (const std::string& path : row.refused() ? std::vector<std::string>{} : written) {
            writerOf.emplace(targetpath::fileKey(path), Row::Taken{i, path});
        }
    }
    return plan;
}

std::vector<RenamePlan::Conflict> RenamePlan::conflicts() const {
    std::vector<Conflict> out;
    std::unordered_map<std::size_t, std::size_t> groupOf; // first row -> its conflict
    for (const Row& row : rows) {
        if (!row.takenBy) {
            continue;
        }
        const std::size_t first = row.takenBy->by;
        const auto [at, added] = groupOf.emplace(first, out.size());
        if (added) {
            out.push_back({{rows[first].rowKey}, row.takenBy->path});
        }
        out[at->second].rowKeys.push_back(row.rowKey);
    }
    return out;
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

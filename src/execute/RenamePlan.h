#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct Settings;
struct Template;

// What a rename run will do, computed before any file is touched: per assigned row, in the order
// of the assignment list, its rename name, the target and the images that go into it; for the
// run, the export file and its second copy. Every check of the run is made on the plan, the run
// carries it out, and the dry run prints it.
struct RenamePlan {
    // One assignment record: the row's RowKey text and the image's file name.
    struct Record {
        std::string rowKey;
        std::string fileName;
    };

    struct Row {
        std::string rowKey;
        int row = 0;
        std::vector<std::string> cells; // display texts, template column order
        std::string renameName;         // the name of the files
        std::string checkName;          // the form the duplicate check compares
        std::string target;             // folder, name (or Ledgra sequence name), extension
        std::string existing; // the file already there under the target's name, in any case
        bool targetExists = false;
        // An earlier row of the run writes the same file (target, or per-row CSV): which row,
        // and the file as that row names it. Such a row is not written at all.
        struct Taken {
            std::size_t by = 0;
            std::string path;
        };
        std::optional<Taken> takenBy;
        bool nameTooLong = false; // a file name of the row is longer than the file system takes
        bool refused() const { return takenBy.has_value() || nameTooLong; }
        std::vector<std::string> images; // file names in page order
        std::vector<int> pages;          // their page counts as listed (0: not known)
        bool multiPage() const { return images.size() >= 2; }
        // The per-row CSV beside the target (type 4).
        std::string rowCsv() const;
    };

    // Where the pieces of a plan come from.
    struct Source {
        const Template& t;
        const Settings& settings;
        std::string imageFolder;
        std::vector<Record> records; // assignment-list order
        std::function<std::vector<std::string>(int row)> cells;
        std::function<int(const std::string& fileName)> pageCount;
    };

    static RenamePlan compute(const Source& source);

    std::string storageFolder;
    std::string imageFolder;
    std::vector<Row> rows;
    std::optional<std::string> exportFile; // set once the export name is known (types 1 to 3)
    std::optional<std::string> secondCopy;
    std::string typedExportName;

    // The Ledgra sequence name of the nth row that gets written (from 1).
    static std::string sequenceName(int n);
    // The source path of an image.
    std::string sourceOf(const std::string& fileName) const;
    // Every image of the plan, in order.
    std::size_t imageCount() const;
    // Rows that would write one file: the row that writes it first, the later ones, the file.
    struct Conflict {
        std::vector<std::string> rowKeys;
        std::string target;
    };
    std::vector<Conflict> conflicts() const;
    // The first pair of rows whose check names are equal without regard to case.
    std::optional<std::pair<std::size_t, std::size_t>> duplicateNames() const;
    // The export files the run would write into the storage folder.
    std::vector<std::string> exportPaths(int exportType) const;
    // Sets the export file and the second copy for an accepted export name.
    void setExportName(const std::string& name, const std::string& typed, const Settings& settings);
};

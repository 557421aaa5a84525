#pragma once

#include "execute/FileStamp.h"
#include "execute/FolderIdentity.h"

#include <optional>
#include <string>
#include <vector>

// A run journal as read back: the plan and the steps, each step with whether its confirmation
// was written. Texts are cp932.
struct RunLog {
    struct Column {
        int sourceField = 0;
        int type = 1;
    };
    struct Row {
        std::string rowKey;
        std::string target; // as planned
        std::vector<std::string> cells;
        std::vector<std::string> sources;
    };
    enum class StepKind { Keep, Move, Write };
    // Keep: from the original, to its place in a keep folder. Move: source to target.
    // Write: a new file at to.
    struct Step {
        StepKind kind = StepKind::Write;
        std::string from;
        std::string to;
        bool done = false;
        std::optional<FileStamp> stamp; // the confirmed new file (move and write)
        // The row being carried out when the step was announced, as an index into rows (the
        // count of row outcomes before it; rows.size() once every row had its outcome).
        std::size_t row = 0;
    };

    // A path the journal names, with its line (from 1), so that a refusal can name the line.
    struct Named {
        int line = 0;
        std::string path;
    };

    std::string path;
    int version = 0;
    std::optional<FolderIdentity> dataFolder; // the data folder the run was made in
    std::string runId;
    std::string started;
    std::string imageFolder;
    std::string storageFolder;
    std::optional<std::string> exportFile;
    std::optional<std::string> secondCopy;
    std::optional<std::string> keepFolder;
    std::optional<std::string> secondFolder; // where export files were copied
    std::vector<Named> folders;              // the folders of the plan header
    std::vector<Named> paths;                // every other path the journal names
    // Files an undo took away, and where it put them.
    std::vector<std::pair<std::string, std::string>> taken;
    std::vector<Column> columns;
    std::vector<Row> rows;
    std::vector<Step> steps;
    std::vector<std::string> doneRows;
    std::size_t rowOutcomes = 0; // row-done and row-failed records
    bool planned = false;
    bool ended = false;    // the run reached its end
    bool finished = false; // an unfinished run was settled by recovery
    bool undone = false;

    bool settled() const { return ended || finished; }
    bool rowDone(const std::string& rowKey) const;
    const Row* row(const std::string& rowKey) const;

    // Nothing when the file cannot be read or is no run journal.
    static std::optional<RunLog> read(const std::string& journalPath);
};

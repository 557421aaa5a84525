#pragma once

#include "execute/RenamePlan.h"
#include "execute/RunRegistrationPrograms.h"

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class ExecuteDialogs;
class FileChanges;
class Prompter;
struct Settings;
struct Template;

// Carries out a checked RenamePlan: each row's single image is moved onto its target, several
// images are joined into one multi-page TIFF, the export files are written and copied, and the
// sources of joined rows are removed once they are safe in a complete target. A row is all or
// nothing: when any image of it fails, no target of it appears, every source stays, and every
// image of the row counts as failed. An existing file is replaced only when the operator said so,
// and never when it is an image this run still has to take or a file this run wrote: a row whose
// file an earlier row of the run writes (names compared as the file system sees them, without
// regard to case) fails whole. Every run keeps a journal, written
// before its first change; a file it replaces or removes goes into the run's keep folder, so
// that the whole run can be undone. Without its journal the run changes nothing more.
class RenameRun {
public:
    struct Parts {
        FileChanges& changes;
        Prompter& prompter;
        ExecuteDialogs& dialogs;
        const Template& t;
        const Settings& settings;
        std::string journals; // the journals folder: every run records itself there
    };

    struct ImageResult {
        std::string fileName;
        bool written = false;
    };
    struct Outcome {
        std::vector<ImageResult> results; // per image, in plan order
        std::vector<std::string> targets; // the files written
        std::vector<std::string> exportFiles;
        std::vector<std::string> doneRows; // RowKeys of the rows written, in plan order
        std::vector<AgentRun> agentRuns;   // the registration programs after an agent-type run
        std::string journal;               // the run's journal file
        bool journalFailed = false;        // the journal could not be written: the run stopped
        int processed() const { return static_cast<int>(results.size()); }
        int renamed() const;
        bool failed() const { return renamed() != processed(); }
    };

    explicit RenameRun(Parts parts) : m_p(parts) {}

    Outcome run(const RenamePlan& plan);

    // The closing messages: the failures (when there were any) and the count of images renamed.
    static void tellFailures(Prompter& prompter, const Outcome& outcome);
    static void tellDone(Prompter& prompter, const Outcome& outcome);

private:
    struct Destination {
        std::string target;
        bool replace = false;
    };

    // The target a row's files go to: the planned one, another name the operator gave, or none
    // when an existing file may not be replaced.
    std::optional<Destination> destinationOf(const RenamePlan& plan, const RenamePlan::Row& row,
                                             const std::string& target);
    bool writeRow(const RenamePlan& plan, const RenamePlan::Row& row, const Destination& to);
    bool takenBySource(const RenamePlan& plan, const RenamePlan::Row& row,
                       const std::string& target) const;
    // The file in the way of target, in any letter case; nothing when there is none.
    static std::optional<std::string> existingAt(const RenamePlan::Row& row,
                                                 const std::string& target);

    Parts m_p;
    FileChanges* m_changes = nullptr; // the journaled changes while a run is carried out
    std::vector<std::string> m_rowCsvs;
    std::unordered_set<std::string> m_written; // file keys of the files this run wrote
};

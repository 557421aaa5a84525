#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FileChanges;
struct RenamePlan;
struct Template;

// The journal of one rename run (see docs/JOURNAL.md): a folder of its own under the journals
// folder holding journal.txt, the keep folder and, after an undo, the removed rows. The plan is
// written and synced before the first file of the run moves; afterwards every record is appended
// and synced through the file-change seam. Once a record could not be written the journal is
// broken and the run must not change another file.
class RunJournal {
public:
    static constexpr std::string_view kFileName = "journal.txt";
    static constexpr std::string_view kKeepFolder = "keep";
    // Where an undo puts the files it takes away, so that an undo can itself be taken back.
    static constexpr std::string_view kUndoKeepFolder = "undo";
    // The format written; older journals are read only to be refused.
    static constexpr int kVersion = 2;
    static constexpr std::string_view kRowsFile = "rows.csv";
    // The keep folder beside a file on another file system than the journal.
    static constexpr std::string_view kKeepBeside = ".nomira-keep-";

    // A new run folder under journals (in the data folder) with the plan in its journal: the
    // data folder's identity and every folder the run may write in, secondFolder when the run
    // copies export files there. nullptr when either cannot be written.
    static std::unique_ptr<RunJournal> start(FileChanges& changes, const std::string& journals,
                                             const RenamePlan& plan, const Template& t,
                                             const std::string& secondFolder = {});
    // Opens the journal of an earlier run to append to it.
    static RunJournal resume(FileChanges& changes, const std::string& journalPath);

    bool add(const std::vector<std::string>& fields);
    bool broken() const { return m_broken; }
    const std::string& path() const { return m_path; }
    const std::string& runId() const { return m_runId; }
    // A free place to keep original for undo: in the keep folder when it lies on the same file
    // system (a rename), else in a keep folder beside original. Empty when no folder can be made.
    // An undo keeps in a folder of its own in the run folder.
    std::string keepPathFor(const std::string& original, std::string_view keepFolder = kKeepFolder);

private:
    RunJournal(FileChanges& changes, std::string path, std::string runId);

    FileChanges& m_changes;
    std::string m_path;
    std::string m_runId;
    bool m_broken = false;
};

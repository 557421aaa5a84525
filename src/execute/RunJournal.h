#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class FileChanges;
struct RenamePlan;
struct Template;

// The journal of one rename run (see docs/JOURNAL.md): a folder of its own under the journals
// folder holding journal.txt and the keep folder. The plan is
// written and synced before the first file of the run moves; afterwards every record is appended
// and synced through the file-change seam. Once a record could not be written the journal is
// broken and the run must not change another file.
class RunJournal {
public:
    static constexpr std::string_view kFileName = "journal.txt";
    static constexpr std::string_view kKeepFolder = "keep";
    // The keep folder beside a file on another file system than the journal.
    static constexpr std::string_view kKeepBeside = ".nomira-keep-";

    // A new run folder under journals with the plan in its journal; nullptr when either cannot
    // be written.
    static std::unique_ptr<RunJournal> start(FileChanges& changes, const std::string& journals,
                                             const RenamePlan& plan, const Template& t);
    // Opens the journal of an earlier run to append to it.
    static RunJournal resume(FileChanges& changes, const std::string& journalPath);

    bool add(const std::vector<std::string>& fields);
    bool broken() const { return m_broken; }
    const std::string& path() const { return m_path; }
    const std::string& runId() const { return m_runId; }
    // A free place to keep original for undo: in the keep folder when it lies on the same file
    // system (a rename), else in a keep folder beside original. Empty when no folder can be made.
    std::string keepPathFor(const std::string& original);

private:
    RunJournal(FileChanges& changes, std::string path, std::string runId);

    FileChanges& m_changes;
    std::string m_path;
    std::string m_runId;
    bool m_broken = false;
};

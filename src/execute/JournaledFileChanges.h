#pragma once

#include "execute/FileChanges.h"

#include <optional>
#include <vector>

class RunJournal;

// The file changes of a run, recorded in its journal. Each change that touches a named file is
// announced before it is made and confirmed (with the new file's size and time) once it is
// done, so that after a crash the journal and the disk together tell where every file is. A file
// the run replaces or removes is moved into the keep folder instead (announced, moved,
// confirmed); the change itself then never replaces anything. When the journal cannot take a
// record, the change is not made.
class JournaledFileChanges final : public FileChanges {
public:
    JournaledFileChanges(FileChanges& inner, RunJournal& journal)
        : m_inner(inner), m_journal(journal) {}

    TempFile createTemp(const std::string& folder) override { return m_inner.createTemp(folder); }
    bool write(TempFile& temp, const void* data, std::size_t size) override {
        return m_inner.write(temp, data, size);
    }
    bool sync(TempFile& temp) override { return m_inner.sync(temp); }
    bool commit(TempFile& temp, const std::string& target, bool replace) override;
    bool move(const std::string& source, const std::string& target, bool replace) override;
    // Keeps the file for undo instead of removing it.
    bool remove(const std::string& path) override { return keep(path).has_value(); }
    bool append(const std::string& path, std::string_view text) override {
        return m_inner.append(path, text);
    }
    void discard(TempFile& temp) override { m_inner.discard(temp); }

    // Moves path into the keep folder, recorded; where it went.
    std::optional<std::string> keep(const std::string& path);

private:
    // Clears target for a change: nothing when it exists and may not or cannot be kept; else
    // where the earlier file went (empty when there was none).
    std::optional<std::string> makeRoom(const std::string& target, bool replace);
    // A change failed after its target's earlier file was kept: that file goes back.
    void giveBack(const std::string& target, const std::string& kept);
    // The confirmation of a change that was made; a failure only breaks the journal.
    void confirm(const char* kind, std::vector<std::string> fields, const std::string& made);

    FileChanges& m_inner;
    RunJournal& m_journal;
};

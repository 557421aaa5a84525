#include "execute/JournaledFileChanges.h"

#include "base/FileSystem.h"
#include "execute/FileStamp.h"
#include "execute/JournalPaths.h"
#include "execute/RunJournal.h"

#include <cerrno>

namespace {

bool refuse() {
    errno = ENOSPC;
    return false;
}

} // namespace

std::optional<std::string> JournaledFileChanges::makeRoom(const std::string& target, bool replace) {
    if (!files::exists(target)) {
        return std::string();
    }
    // Only a file is replaced; a folder or anything else in the way fails the change.
    if (!replace || !files::isRegularFile(target)) {
        errno = replace ? EISDIR : EEXIST;
        return std::nullopt;
    }
    return keep(target);
}

void JournaledFileChanges::giveBack(const std::string& target, const std::string& kept) {
    const int error = errno;
    if (!kept.empty() && m_inner.move(kept, target, false)) {
        m_journal.add({"returned", target, kept});
    }
    errno = error;
}

void JournaledFileChanges::confirm(const char* kind, std::vector<std::string> fields,
                                   const std::string& made) {
    const auto stamp = FileStamp::of(made);
    fields.insert(fields.begin(), kind);
    for (const long long value : {stamp ? stamp->size : 0, stamp ? stamp->mtimeNs : 0,
                                  stamp ? stamp->inode : 0, stamp ? stamp->ctimeNs : 0}) {
        fields.push_back(stamp ? std::to_string(value) : "");
    }
    m_journal.add(fields);
}

// The journal names every file by its resolved absolute path, so that an undo started from another
// folder finds the same files and can tell that each lies in a folder of the run.
bool JournaledFileChanges::commit(TempFile& temp, const std::string& givenTarget, bool replace) {
    const std::string target = journalpaths::resolved(givenTarget);
    const auto kept = m_journal.broken() ? std::nullopt : makeRoom(target, replace);
    if (!kept || !m_journal.add({"write", target})) {
        const int error = m_journal.broken() ? ENOSPC : errno;
        m_inner.discard(temp);
        giveBack(target, kept.value_or(""));
        errno = error;
        return false;
    }
    if (!m_inner.commit(temp, target, false)) {
        giveBack(target, *kept);
        return false;
    }
    confirm("written", {target}, target);
    return true;
}

bool JournaledFileChanges::move(const std::string& givenSource, const std::string& givenTarget,
                                bool replace) {
    const std::string source = journalpaths::resolved(givenSource);
    const std::string target = journalpaths::resolved(givenTarget);
    if (m_journal.broken()) {
        return refuse();
    }
    const auto kept = makeRoom(target, replace);
    if (!kept) {
        return false;
    }
    if (!m_journal.add({"move", source, target}) || !m_inner.move(source, target, false)) {
        giveBack(target, *kept);
        return false;
    }
    confirm("moved", {source, target}, target);
    return true;
}

std::optional<std::string> JournaledFileChanges::keep(const std::string& givenPath) {
    const std::string path = journalpaths::resolved(givenPath);
    if (m_journal.broken()) {
        refuse();
        return std::nullopt;
    }
    const std::string kept = m_journal.keepPathFor(path);
    if (kept.empty() || !m_journal.add({"keep", path, kept}) || !m_inner.move(path, kept, false)) {
        return std::nullopt;
    }
    m_journal.add({"kept", path, kept});
    return kept;
}

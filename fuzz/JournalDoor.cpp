// The run-journal door: one input is a run journal, undone as "nomira-cli undo" does, in a planted
// data folder beside an image folder, a storage folder and a folder of the operator's that no run
// used. In the input "@R" stands for the scratch folder, "@ID" for the data folder's device and
// inode, "@S" for the stamp of store/x.tif, so that inputs can name the planted files.
// The door aborts when the undo lost a file (undo never unlinks) or touched the operator's
// folder that the journal's header does not name.

#include "FuzzScratch.h"

#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "execute/FileStamp.h"
#include "execute/FolderIdentity.h"
#include "execute/PosixFileChanges.h"
#include "execute/RunLog.h"
#include "execute/RunUndo.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

using Census = std::map<std::string, std::string>;

void plant(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Census census(const std::string& folder) {
    Census files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) && !it->is_symlink(error)) {
            std::ostringstream bytes;
            bytes << std::ifstream(it->path(), std::ios::binary).rdbuf();
            files[it->path().lexically_relative(folder).string()] = bytes.str();
        }
    }
    return files;
}

void replaceAll(std::string& text, std::string_view from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

[[noreturn]] void fail(const char* what, const std::string& path) {
    std::fprintf(stderr, "nomira fuzz: undo %s: %s\n", what, path.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzScratch& scratch = FuzzScratch::instance();
    const std::string root = scratch.folder();
    // The data folder stays for the whole process, so that its identity can be named.
    for (const char* folder : {"images", "store", "outside", "data/journal"}) {
        fs::remove_all(root + "/" + folder);
    }
    plant(root + "/images/a.tif", "scan a");
    plant(root + "/images/.nomira-keep-20240229-120000/0001-b.tif", "kept beside b");
    plant(root + "/store/x.tif", "run target x");
    plant(root + "/outside/victim.tif", "the operator's drawing");
    const std::string run = root + "/data/journal/20240229-120000";
    plant(run + "/keep/0001-old.tif", "kept old");
    const auto identity = FolderIdentity::of(root + "/data");
    const auto stamp = FileStamp::of(root + "/store/x.tif");
    std::string text(reinterpret_cast<const char*>(data), size);
    replaceAll(text, "@ID",
               std::to_string(identity->device) + "\t" + std::to_string(identity->inode));
    replaceAll(text, "@S",
               std::to_string(stamp->size) + "\t" + std::to_string(stamp->mtimeNs) + "\t" +
                   std::to_string(stamp->inode) + "\t" + std::to_string(stamp->ctimeNs));
    replaceAll(text, "@R", root);
    plant(run + "/journal.txt", text);

    const Census outside = census(root + "/outside");
    Census before = census(root);
    before.erase("data/journal/20240229-120000/journal.txt");
    if (const auto log = RunLog::read(run + "/journal.txt")) {
        PosixFileChanges changes;
        ScriptedPrompter prompter;
        RunUndo(changes, prompter).undo(*log, false);
        const bool namesOutside =
            std::any_of(log->folders.begin(), log->folders.end(), [](const RunLog::Named& f) {
                return f.path.find("outside") != std::string::npos;
            });
        if (!namesOutside && census(root + "/outside") != outside) {
            fail("touched a folder the journal does not name", root + "/outside");
        }
    }
    std::multiset<std::string> after;
    for (const auto& [path, bytes] : census(root)) {
        after.insert(bytes);
    }
    for (const auto& [path, bytes] : before) {
        const auto it = after.find(bytes);
        if (it == after.end()) {
            fail("lost a file", path);
        }
        after.erase(it);
    }
    return 0;
}

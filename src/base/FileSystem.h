#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// File-system access for cp932 path texts. The "\" of the program's path formats is the
// platform separator here; texts are converted to the file system's UTF-8 only at this border.
namespace files {

constexpr char kSeparator = '/';

std::filesystem::path native(std::string_view cp932Path);
std::string fromNative(const std::filesystem::path& path);

// folder + separator + name; a trailing separator of folder is not doubled.
std::string join(std::string_view folder, std::string_view name);
// The part after the last separator, and the part before it.
std::string fileName(std::string_view path);
std::string parentFolder(std::string_view path);
// Drops one trailing separator unless the path is the root.
std::string withoutTrailingSeparator(std::string_view path);
// A relative path put under the current folder, so that it still names the same file when read
// back by a process started elsewhere; an absolute path as it is.
std::string absolute(std::string_view path);

bool exists(std::string_view path);
bool isDirectory(std::string_view path);
bool isRegularFile(std::string_view path);
// A regular file named by path itself, not reached through a symbolic link.
bool isPlainFile(std::string_view path);
bool isWritable(std::string_view path);
// Takes away a file's read-only mode as a new file of this process would have it: write for its
// owner, and for group and others where they may read it and the umask allows writing. A file its
// owner may write already is left as it is. False when the mode cannot be changed.
bool clearReadOnly(std::string_view path);
// A folder this process may list, enter and create files in.
bool isWorkableFolder(std::string_view path);
// Creates one folder; true when it exists afterwards. A folder it makes gets setCreatedMode.
bool createDirectory(std::string_view path);

// Group sharing: a folder with the set-group-id bit that its group may write in (the data folder
// and its folders as the package makes them) is shared by the operators of that group. What one
// of them makes there must stay open to the others whatever their umask.
bool isSharedFolder(const std::filesystem::path& folder);
// The permission bits of a new file or folder in folder (file-system spelling): 0664 for a file
// and 02775 for a folder in a shared folder; elsewhere what the umask leaves of 0666 or 0777
// (a folder outside a shared folder is left as mkdir made it).
unsigned newMode(const std::filesystem::path& folder, bool isFolder);
// Every file and folder this process creates goes through here, right after it is made: it gets
// newMode of its folder, set explicitly (through fd when given) instead of taken from the umask.
// False when the mode could not be set, as for a file of another owner.
bool setCreatedMode(const std::filesystem::path& created, int fd = -1);
bool removeFile(std::string_view path);

// The whole content of a regular file; nothing for a missing or unreadable file and for anything
// that is not a regular file (a FIFO or a device is refused without waiting).
std::optional<std::string> readAll(std::string_view path);
// Writes through a temporary file in the same folder and renames it over the target, so that a
// crash never leaves half a file. Fails without touching anything when the target exists and is
// read-only or the folder cannot take the temporary file.
bool writeAtomically(std::string_view path, std::string_view content);
// The two halves of writeAtomically, for changes of several files that are to land together:
// the content goes to a new, synced temporary file beside path (nothing when that cannot be made
// or the target exists read-only); committing renames it over path, discarding removes it.
std::optional<std::string> stageFile(std::string_view path, std::string_view content);
// A new, empty file beside target (file-system spelling) with a short name of its own, ".~nm" and
// six letters or digits, so that it can be made whatever the length of target's name; made
// exclusively, so that it is never a file that was there. The mode is setCreatedMode's.
// Its path, with its open descriptor in fd; nothing when the folder cannot take it.
std::optional<std::filesystem::path> createTemporaryBeside(const std::filesystem::path& target,
                                                           int& fd);
bool commitStaged(const std::string& staged, std::string_view path);
void discardStaged(const std::string& staged);

// Names (cp932) of the entries of a folder, sorted without regard to case so that listings are
// the same on every machine. Regular files only when filesOnly is set.
std::vector<std::string> listFolder(std::string_view folder, bool filesOnly = true);
// An entry of a folder: its cp932 name when the name has an exact one (held); otherwise a readable
// stand-in (textcodec::utf8ToCp932Marked) that names it to the operator but reaches no file.
// link: the entry is a symbolic link.
struct ListedName {
    std::string name;
    bool held = true;
    bool link = false;
};
// As listFolder, with every name either exact or marked as a stand-in. With filesOnly: the regular
// files that are no links, and every symbolic link (to a file, a folder or nothing), marked.
std::vector<ListedName> listFolderNames(std::string_view folder, bool filesOnly = true);
// The actual name of an entry of the folder that equals name without regard to case.
std::optional<std::string> findNoCase(std::string_view folder, std::string_view name);
// The path of the regular file whose name equals the last part of path without regard to case,
// in the folder path names; nothing when there is none.
std::optional<std::string> findFileNoCase(std::string_view path);

} // namespace files

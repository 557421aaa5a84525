#pragma once

#include <optional>
#include <string>
#include <vector>

// The stand-in registration agent's shared pieces: where its programs live, its job file, and
// its log. Texts are the cp932 bytes the rename program writes; files::native reaches the disk.
namespace agent {

// The folder of the running program, with a trailing separator.
std::string programFolder();
// Where the agent keeps its settings, its last definition (ini/RegistKey.ini) and its store,
// with a trailing separator: the agent's "DataPath" in the registry store when that names a
// folder (an installed agent's own folder is not writable), else the program's folder.
std::string homeFolder();

// One file to register: its name in the source folder, where it goes, and its values.
struct JobEntry {
    std::string file;
    std::string cabinet;
    std::string folder;
    std::string title;
    std::vector<std::string> properties;
    bool operator==(const JobEntry&) const = default;
};

// A converted job: the document type, the folder the files are in, the property names of the
// definition and one entry per file.
struct Job {
    std::string docType;
    std::string source;
    std::vector<std::string> propertyNames;
    std::vector<JobEntry> entries;
    bool operator==(const Job&) const = default;
};

// A job file's text, and the job of such a text; nothing, with the reason, when it is malformed.
std::string formatJob(const Job& job);
struct ParsedJob {
    std::optional<Job> job;
    std::string error;
};
ParsedJob parseJob(const std::string& text);

// The current local time as "YYYY-MM-DD hh:mm:ss".
std::string timestamp();

} // namespace agent

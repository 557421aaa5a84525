#pragma once

#include <optional>
#include <string>

class AssignmentQueries;
class Prompter;
class RenameListLoader;

// The load button and the start-up request: choosing the rename list file and loading it.
class RenameListImport {
public:
    static constexpr int kDisplayWidth = 36; // bytes of the file name field

    struct Choice {
        // Missing: no such file, or one that is not a regular file; its message was shown.
        enum Outcome { Cancelled, Missing, Chosen };
        Outcome outcome = Cancelled;
        std::string path;
    };

    struct Imported {
        bool opened = false;     // false: the file could not be opened, the list is empty
        std::string folder;      // the new last list folder
        std::string fileName;    // the list file name (no folder)
        std::string displayName; // the file name shortened for its field
    };

    RenameListImport(Prompter& prompter, RenameListLoader& loader, AssignmentQueries& assignments)
        : m_prompter(prompter), m_loader(loader), m_assignments(assignments) {}

    // Asks for a file (starting in lastFolder) unless a path is given; completes ".csv" when the
    // path does not contain it; the file is found without regard to the case of its name, and a
    // path of no existing file is reported and refused. The chosen path names the file found.
    Choice choose(const std::string& lastFolder, const std::optional<std::string>& given);
    // Releases every assignment, reads the file and finishes the list (sorted, renumbered, row 1
    // selected).
    Imported load(const std::string& path);

    static std::string completeExtension(const std::string& path);

private:
    Prompter& m_prompter;
    RenameListLoader& m_loader;
    AssignmentQueries& m_assignments;
};

#pragma once

#include <string>
#include <vector>

class Prompter;

// What the command line asked for: a template, an image folder, a rename list and a work data
// file, each with the flag that says it was given (and, but for the work data, found).
struct StartupRequest {
    std::string templatePath;
    bool templateGiven = false;
    std::string renameListPath;
    bool renameListGiven = false;
    std::string imageFolderPath;
    bool imageFolderGiven = false;
    // A work data file (".edd", as the file manager passes it), loaded as the load button does;
    // a missing one is reported by that load.
    std::string workDataPath;
    bool workDataGiven = false;
    bool argumentsAccepted = false;

    // Reads the arguments after the program name (cp932) in order; a later argument of a kind
    // replaces an earlier one. A named image folder that does not exist is reported.
    static StartupRequest parse(const std::vector<std::string>& arguments,
                                const std::string& dataFolder, Prompter& prompter);
};

#pragma once

#include <string>
#include <vector>

class Prompter;

// What the command line asked for: a template, an image folder and a rename list, each with the
// flag that says it was given and found.
struct StartupRequest {
    std::string templatePath;
    bool templateGiven = false;
    std::string renameListPath;
    bool renameListGiven = false;
    std::string imageFolderPath;
    bool imageFolderGiven = false;
    bool argumentsAccepted = false;

    // Reads the arguments after the program name (cp932) in order; a later argument of a kind
    // replaces an earlier one. A named image folder that does not exist is reported.
    static StartupRequest parse(const std::vector<std::string>& arguments,
                                const std::string& dataFolder, Prompter& prompter);
};

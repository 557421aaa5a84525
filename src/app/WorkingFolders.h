#pragma once

#include <optional>
#include <string>

class Prompter;

// The default folders that start-up establishes under the data folder.
struct WorkingFolders {
    std::string workData;    // {data}/editdata
    std::string images;      // {data}/scan
    std::string renameLists; // {data}/csv

    // Checks the data folder and creates editdata, scan, csv and rename when missing. Reports the
    // first failure to the operator and answers nothing then. The temp folder is not created here.
    static std::optional<WorkingFolders> prepare(const std::string& dataFolder, Prompter& prompter);
};

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
    // Last, the data folder and each of its working folders must be open to this user for
    // reading and writing; the first that is not is reported with the missing-folder message.
    static std::optional<WorkingFolders> prepare(const std::string& dataFolder, Prompter& prompter);

    // The data folder, or the first of its working folders present, that this user cannot list,
    // enter or write in; nothing when all are usable.
    static std::optional<std::string> firstClosedFolder(const std::string& dataFolder);
};

#pragma once

#include "execute/RenamePlan.h"
#include "execute/RenameRun.h"
#include "execute/RunPreparation.h"
#include "execute/ScriptedExecuteDialogs.h"

#include "FailingFileChanges.h"

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/ScriptedPrompter.h"
#include "support/ImageFixtures.h"
#include "support/TempDir.h"
#include "template/Template.h"

#include <map>
#include <sys/wait.h>
#include <tiffio.h>
#include <unistd.h>

// A rename run on real files: an image folder, a storage folder, a template whose first column
// is the file name, and assignment records made by the test.
class RunRig {
public:
    RunRig() {
        images = dir.mkdir("images");
        store = dir.mkdir("store");
        journals = dir.file("journal");
        ColumnDef name;
        name.fileName = true;
        ColumnDef note;
        t.columns = {name, note};
        t.storageFolder = store;
    }

    // A G4 TIFF of pages pages in the image folder.
    std::string tiff(const std::string& fileName, int pages, std::uint32_t width = 80) {
        ImageFixtures::TiffLayout layout;
        layout.width = width;
        layout.height = 60;
        layout.pages = pages;
        layout.compression = COMPRESSION_CCITTFAX4;
        const std::string path = files::join(images, fileName);
        ImageFixtures::writeTiff(path, layout);
        return path;
    }
    // Row row is named name and gets the images.
    void assign(int row, const std::string& name, std::vector<std::string> fileNames) {
        cells[row] = {sj(name), sj("note " + name)};
        for (const std::string& f : fileNames) {
            records.push_back({std::to_string(row), f});
        }
    }
    RenamePlan plan() const {
        RenamePlan::Source source{t,
                                  settings,
                                  images,
                                  records,
                                  [this](int row) {
                                      const auto it = cells.find(row);
                                      return it == cells.end() ? std::vector<std::string>{}
                                                               : it->second;
                                  },
                                  nullptr};
        return RenamePlan::compute(source);
    }
    // Checks and runs as "実行" does; nullopt when a check stopped it.
    std::optional<RenameRun::Outcome> execute(FileChanges& changes) {
        RenamePlan p = plan();
        if (!prepareRun(p, settings, prompter, dialogs)) {
            return std::nullopt;
        }
        RenameRun run({changes, prompter, dialogs, t, settings, journals});
        RenameRun::Outcome outcome = run.run(p);
        RenameRun::tellFailures(prompter, outcome);
        RenameRun::tellDone(prompter, outcome);
        return outcome;
    }
    // Run number n of a series: one new scan "s<n>.tif" into row 1 named "out<n>", run alone.
    std::optional<RenameRun::Outcome> executeNext(int n, FileChanges& changes) {
        const std::string name = "s" + std::to_string(n) + ".tif";
        dir.write("images/" + name, name);
        records.clear();
        assign(1, "out" + std::to_string(n), {name});
        return execute(changes);
    }
    // Runs "実行" in a child process that is killed at file change killAt, as a power cut would
    // stop it; the child's wait status, or -1 when no child could be started.
    int executeKilledAt(int killAt) {
        const pid_t child = ::fork();
        if (child == 0) {
            FailingFileChanges dying(killAt, FailingFileChanges::Mode::Kill);
            execute(dying);
            ::_exit(0);
        }
        int status = -1;
        return child > 0 && ::waitpid(child, &status, 0) == child ? status : -1;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : prompter.shown()) {
            texts.push_back(u8(shown.text));
        }
        return texts;
    }
    std::vector<std::string> stored() const { return files::listFolder(store); }
    std::vector<std::string> waiting() const { return files::listFolder(images); }

    TempDir dir;
    std::string images;
    std::string store;
    std::string journals;
    Template t;
    Settings settings;
    ScriptedPrompter prompter;
    ScriptedExecuteDialogs dialogs;
    std::vector<RenamePlan::Record> records;
    std::map<int, std::vector<std::string>> cells;
};

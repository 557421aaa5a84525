#pragma once

#include "renamelist/WorkDataFile.h"

#include <optional>
#include <string>

class MainView;
class Prompter;
class SettingsStore;
class Workbench;
struct WorkbenchState;

// Work data files in the main window: "作業ﾃﾞｰﾀ読込み...", save (32780, Ctrl+S) and save as
// (32781) with the naming dialog, and the question whether to save when the window closes. A
// save writes the work data file and the list copy beside it together: both complete, or neither
// changed.
class WorkDataCommands {
public:
    struct Parts {
        Workbench& workbench;
        WorkbenchState& state;
        SettingsStore& settings;
        MainView& view;
        Prompter& prompter;
        std::string templateFolder;
    };

    // How a save ended.
    enum class Saved { Written, Cancelled, Refused, Failed };

    explicit WorkDataCommands(Parts parts) : m_p(std::move(parts)) {}

    // The load button (no path: the operator chooses the file). True when the file was read.
    bool load(const std::optional<std::string>& path);
    // A work data file handed over from outside (the file manager, a second start): first the
    // question whether to save changed work data, as when the window closes, then the load.
    // False when the operator cancelled, a save did not succeed, or the load failed.
    bool openGiven(const std::string& path);
    Saved save();
    Saved saveAs();
    // The save commands may be used: work data changed, a template selected, images loaded.
    bool savable() const;
    // Closing: asks whether to save changed work data and saves when told to. False when the
    // window is to stay open (cancelled, or the save did not succeed).
    bool confirmClose();

    // The file names a work data file may carry for its template and list copy, and for its
    // images: a plain name, no folder, nothing that leads out of its folder.
    static bool isPlainName(const std::string& name);

private:
    Saved saveTo(bool chooseAlways);
    std::optional<std::string> chooseName(const std::string& initial);
    // The name of the list copy beside eddPath: never a file that the program did not write as
    // the list copy of that work data file.
    std::string listCopyName(const std::string& eddPath) const;
    bool write(const std::string& eddPath);
    bool read(const std::string& eddPath);
    bool readChecked(const std::string& eddPath, const WorkDataFile::Content& content);
    void restoreAssignments(const WorkDataFile::Content& content, const std::string& imageFolder);

    Parts m_p;
};

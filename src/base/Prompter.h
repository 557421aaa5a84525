#pragma once

#include "base/MessageTypes.h"
#include "base/Messages.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a file chooser is asked for. All texts are cp932.
struct FileDialogRequest {
    std::string title;
    std::string folder;
    std::string fileName;
    std::string filter; // e.g. "CSV (*.csv)"
    std::string defaultExtension;
};

// The operator: message boxes and the file, save and folder choosers.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual Answer showMessage(const std::string& text, const std::string& caption, Icon icon,
                               Buttons buttons) = 0;
    virtual std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& folder) = 0;

    // Shows a catalogue message with its placeholders filled.
    Answer tell(Msg id, std::initializer_list<std::string_view> args = {});
    // Shows a catalogue message followed by the given lines, each on a line of its own.
    Answer tellWithLines(Msg id, const std::vector<std::string>& lines);
};

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The program's own dialogs that a rename run opens: the file name dialog (export mode before a
// run, rename mode for an image whose target exists) and the list of export files that would be
// overwritten. The desktop program shows them; the command-line companion and the tests answer
// them from what they were given. Texts are cp932 (see ExecuteTexts for what they show).
class ExecuteDialogs {
public:
    enum class NameMode { Export, Rename };
    // A text confirmed in the file name dialog: its cp932 form, or nothing when it has none (a
    // character the program cannot put into a file name). The check refuses the latter.
    using TypedName = std::optional<std::string>;
    using NameCheck = std::function<bool(const TypedName&)>;

    virtual ~ExecuteDialogs() = default;

    // Shows the file name dialog with preset in its field. Each text the operator confirms with
    // OK is handed to accept, which shows its own refusal and returns false to keep the dialog
    // open; the accepted text is returned. nullopt when the operator cancels.
    virtual std::optional<std::string> inputFileName(NameMode mode, const std::string& preset,
                                                     const NameCheck& accept) = 0;
    // False when a cancelled dialog cannot be shown again with another outcome (nobody is
    // there to answer differently); the caller then gives up instead of asking once more.
    virtual bool mayAskAgain() const { return true; }
    // Lists the paths of files that would be overwritten; true for "はい(&Y)".
    virtual bool confirmOverwrite(const std::vector<std::string>& paths) = 0;
};

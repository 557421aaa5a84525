#pragma once

#include "cli/CliSession.h"

#include <optional>
#include <string>
#include <vector>

class HeadlessWindow;

// The working state of the commands that act on a main window (assign, and later names and run):
// the state options (--work, --template, --list, --images) and the operations (--batch-assign,
// --assign ROW=FILE[,FILE…], --release FILE[,FILE…], --batch-release, --save FILE.edd), read from
// the command's arguments and carried out on a window without a screen exactly as its commands.
class WorkingState {
public:
    struct Operation {
        std::string option; // "--batch-assign", "--assign", ...
        std::string value;  // UTF-8, as given
    };

    // Reads the arguments after the command word; nothing (and the reason in error) on a usage
    // error.
    static std::optional<WorkingState> parse(const std::vector<std::string>& args,
                                             std::string& error);

    // Builds the state; false when a piece could not be loaded (its message is recorded).
    bool build(HeadlessWindow& window, CliSession& session) const;
    enum class Outcome { Done, Unavailable, Failed, Usage };
    // Carries out the operations in order, up to the first that was unavailable (unavailable
    // holds the caption of its disabled command), failed, or was wrongly given (error says how).
    Outcome operate(HeadlessWindow& window, CliSession& session, std::string& unavailable,
                    std::string& error) const;

    // The state as the window shows it: assignments, rename rows, images, command states and the
    // work data.
    static Json report(HeadlessWindow& window);
    // MinScore as --min-score gives it, else nothing.
    const std::optional<double>& minScore() const { return m_minScore; }
    static std::string reportText(HeadlessWindow& window);

private:
    std::optional<std::string> m_work;
    std::optional<std::string> m_template;
    std::optional<std::string> m_list;
    std::optional<std::string> m_images;
    std::vector<Operation> m_operations;
    std::optional<double> m_minScore;
};

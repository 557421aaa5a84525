#pragma once

#include "base/ScriptedPrompter.h"
#include "cli/CliOptions.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

using Json = nlohmann::ordered_json;

// One run of nomira-cli: the data folder, the operator stand-in that answers every question with
// --yes or --no and records the messages, and the output in JSON or as text for people.
class CliSession {
public:
    enum Exit { Done = 0, Failed = 1, Usage = 2 };

    explicit CliSession(const CliOptions& options);

    const CliOptions& options() const { return m_options; }
    ScriptedPrompter& prompter() { return m_prompter; }

    // The data folder (cp932): --data-folder, else the registry store's DataPath. On failure the
    // missing-folder message is recorded and nothing is returned.
    std::optional<std::string> dataFolder();

    // Ends the run: the JSON document (with "messages" added) or the text, and the exit status.
    int finish(Json document, const std::string& text, Exit status);
    // Ends a run whose output is written as it is produced: writeJson writes the members of the
    // JSON document before "messages" (without the braces), writeText the text for people.
    int finishStreamed(const std::function<void(std::ostream&)>& writeJson,
                       const std::function<void(std::ostream&)>& writeText, Exit status);
    // Ends a run that failed with the recorded messages.
    int fail();
    int usageError(const std::string& reason);

    // cp932 to UTF-8 for output; UTF-8 arguments to cp932 for the core.
    static std::string out(const std::string& cp932);
    static std::string in(const std::string& utf8);
    // The JSON text of a document, with the bytes of its strings that are not UTF-8 (a file name
    // from the command line, say) replaced by U+FFFD instead of failing.
    static std::string dumped(const Json& json, int indent = -1);

private:
    // A run that told the operator of a failure (a warning or an error to be acknowledged) did
    // not end done, whatever the command made of it.
    Exit statusAfterMessages(Exit status) const;
    Json messagesJson() const;
    void writeMessagesText(Exit status) const;

    CliOptions m_options;
    ScriptedPrompter m_prompter;
};

#include "cli/CliSession.h"

#include "app/AppPaths.h"
#include "base/FileSystem.h"
#include "base/TextCodec.h"

#include <algorithm>
#include <iostream>
#include <unistd.h>

CliSession::CliSession(const CliOptions& options) : m_options(options) {
    m_prompter.setAgreeByDefault(options.agree);
}

std::string CliSession::out(const std::string& cp932) {
    return textcodec::cp932ToUtf8(cp932);
}

std::string CliSession::dumped(const Json& json, int indent) {
    return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

std::string CliSession::in(const std::string& utf8) {
    return textcodec::utf8ToCp932(utf8);
}

std::optional<std::string> CliSession::dataFolder() {
    std::string folder;
    if (m_options.dataFolder) {
        folder = files::withoutTrailingSeparator(in(*m_options.dataFolder));
    } else {
        AppPaths paths{RegistryStore(RegistryStore::defaultPath())};
        folder = paths.dataFolder();
    }
    // A data folder closed to this user (one outside the group that shares it) is refused with
    // the message of a missing one, as the desktop program refuses it.
    if (!files::isDirectory(folder) || ::access(files::native(folder).c_str(), R_OK | X_OK) != 0) {
        m_prompter.tell(Msg::DataFolderMissing, {folder});
        return std::nullopt;
    }
    return folder;
}

Json CliSession::messagesJson() const {
    Json list = Json::array();
    for (const auto& m : m_prompter.shown()) {
        list.push_back({{"caption", out(m.caption)}, {"text", out(m.text)}});
    }
    return list;
}

CliSession::Exit CliSession::statusAfterMessages(Exit status) const {
    const auto& shown = m_prompter.shown();
    const bool failureTold = std::any_of(shown.begin(), shown.end(), [](const auto& m) {
        return m.buttons == Buttons::Ok && (m.icon == Icon::Warning || m.icon == Icon::Error);
    });
    return status == Done && failureTold ? Failed : status;
}

int CliSession::finish(Json document, const std::string& text, Exit status) {
    status = statusAfterMessages(status);
    if (m_options.json) {
        if (document.is_object()) {
            document["messages"] = messagesJson();
        }
        std::cout << dumped(document, 1) << "\n";
    } else {
        std::cout << textcodec::validUtf8(text);
        writeMessagesText(status);
    }
    return status;
}

int CliSession::finishStreamed(const std::function<void(std::ostream&)>& writeJson,
                               const std::function<void(std::ostream&)>& writeText, Exit status) {
    status = statusAfterMessages(status);
    if (m_options.json) {
        std::cout << "{";
        writeJson(std::cout);
        std::cout << ",\n \"messages\": " << dumped(messagesJson(), 1) << "\n}\n";
    } else {
        writeText(std::cout);
        writeMessagesText(status);
    }
    return status;
}

void CliSession::writeMessagesText(Exit status) const {
    for (const auto& m : m_prompter.shown()) {
        (status == Done ? std::cout : std::cerr)
            << "[" << out(m.caption) << "] " << out(m.text) << "\n";
    }
}

int CliSession::fail() {
    return finish(Json::object(), {}, Failed);
}

int CliSession::usageError(const std::string& reason) {
    std::cerr << "nomira-cli: " << reason << "\n" << CliOptions::usage();
    return Usage;
}

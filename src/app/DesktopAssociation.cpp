#include "app/DesktopAssociation.h"

#include "app/ProgramLauncher.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string_view>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// The Exec value of the [Desktop Entry] group, as written in the file.
std::optional<std::string> execValue(const fs::path& desktopFile) {
    std::ifstream in(desktopFile, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    bool inEntry = false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string text = trimmed(line);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        if (text.front() == '[') {
            inEntry = text == "[Desktop Entry]";
            continue;
        }
        const auto equals = text.find('=');
        if (inEntry && equals != std::string::npos && trimmed(text.substr(0, equals)) == "Exec") {
            return trimmed(text.substr(equals + 1));
        }
    }
    return std::nullopt;
}

// The escapes of a desktop file's string values: \s, \n, \t, \r and \\.
std::string unescapeValue(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += '\\';
            out += value[i];
        }
    }
    return out;
}

// The arguments of an Exec line: separated by spaces, a quoted argument may hold spaces and
// backslash-escaped characters. Nothing when a quote is not closed.
std::optional<std::vector<std::string>> splitExec(std::string_view exec) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < exec.size()) {
        if (exec[i] == ' ' || exec[i] == '\t') {
            ++i;
            continue;
        }
        std::string argument;
        while (i < exec.size() && exec[i] != ' ' && exec[i] != '\t') {
            if (exec[i] != '"') {
                argument += exec[i++];
                continue;
            }
            ++i;
            while (i < exec.size() && exec[i] != '"') {
                if (exec[i] == '\\' && i + 1 < exec.size()) {
                    ++i;
                }
                argument += exec[i++];
            }
            if (i == exec.size()) {
                return std::nullopt;
            }
            ++i;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

bool isFileCode(std::string_view argument) {
    return argument == "%f" || argument == "%F" || argument == "%u" || argument == "%U";
}

// Fills the field codes: the first file or URL code becomes the document (the document is
// appended when there is none), icon, name and location codes are dropped, "%%" is a percent
// sign and the deprecated codes vanish.
std::vector<std::string> fillFieldCodes(const std::vector<std::string>& arguments,
                                        const std::string& document) {
    std::vector<std::string> filled;
    bool documentPlaced = false;
    for (const std::string& argument : arguments) {
        if (isFileCode(argument) || argument == "%i" || argument == "%c" || argument == "%k") {
            if (isFileCode(argument) && !documentPlaced) {
                filled.push_back(document);
                documentPlaced = true;
            }
            continue;
        }
        std::string out;
        for (std::size_t i = 0; i < argument.size(); ++i) {
            if (argument[i] != '%' || i + 1 == argument.size()) {
                out += argument[i];
                continue;
            }
            const char code = argument[++i];
            if (code == '%') {
                out += '%';
            } else if (isFileCode(argument.substr(i - 1, 2)) && !documentPlaced) {
                out += document;
                documentPlaced = true;
            }
        }
        filled.push_back(std::move(out));
    }
    if (!documentPlaced) {
        filled.push_back(document);
    }
    return filled;
}

} // namespace

DesktopAssociation::DesktopAssociation()
    : DesktopAssociation(&DesktopAssociation::queryXdgMime, systemApplicationFolders()) {
}

DesktopAssociation::DesktopAssociation(DefaultQuery query, std::vector<fs::path> applicationFolders)
    : m_query(std::move(query)), m_folders(std::move(applicationFolders)) {
}

std::optional<std::vector<std::string>>
DesktopAssociation::commandFor(const std::string& mimeType, const std::string& document) const {
    const auto id = m_query ? m_query(mimeType) : std::nullopt;
    if (!id || id->empty()) {
        return std::nullopt;
    }
    const auto desktopFile = findDesktopFile(*id);
    if (!desktopFile) {
        return std::nullopt;
    }
    const auto exec = execValue(*desktopFile);
    if (!exec) {
        return std::nullopt;
    }
    const auto arguments = splitExec(unescapeValue(*exec));
    if (!arguments || arguments->empty() || arguments->front().empty()) {
        return std::nullopt;
    }
    return fillFieldCodes(*arguments, document);
}

// A desktop file id names "applications/ID" in a data folder; a "-" in the id may also stand for
// a subfolder ("kde4-okular.desktop" is "applications/kde4/okular.desktop").
std::optional<fs::path> DesktopAssociation::findDesktopFile(const std::string& id) const {
    if (id.find('/') != std::string::npos || id == "." || id == "..") {
        return std::nullopt;
    }
    std::vector<std::string> candidates{id};
    for (std::size_t dash = id.find('-'); dash != std::string::npos;
         dash = id.find('-', dash + 1)) {
        candidates.push_back(id.substr(0, dash) + "/" + id.substr(dash + 1));
    }
    for (const fs::path& folder : m_folders) {
        for (const std::string& candidate : candidates) {
            std::error_code ec;
            const fs::path path = folder / candidate;
            if (fs::is_regular_file(path, ec)) {
                return path;
            }
        }
    }
    return std::nullopt;
}

std::vector<fs::path> DesktopAssociation::systemApplicationFolders() {
    std::vector<fs::path> folders;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome != nullptr && *dataHome == '/') {
        folders.push_back(fs::path(dataHome) / "applications");
    } else if (home != nullptr && *home != '\0') {
        folders.push_back(fs::path(home) / ".local/share/applications");
    }
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    const std::string dirs =
        dataDirs != nullptr && *dataDirs != '\0' ? dataDirs : "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t colon = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = dirs.substr(start, colon - start);
        if (!dir.empty() && dir.front() == '/') {
            folders.push_back(fs::path(dir) / "applications");
        }
        start = colon + 1;
    }
    return folders;
}

std::optional<std::string> DesktopAssociation::queryXdgMime(const std::string& mimeType) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::string command = "xdg-mime";
    std::string verb = "query";
    std::string what = "default";
    std::string type = mimeType;
    char* argv[] = {command.data(), verb.data(), what.data(), type.data(), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (rc != 0) {
        ::close(pipeEnds[0]);
        return std::nullopt;
    }

    std::string output;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(pipeEnds[0]);
    if (ProgramLauncher::waitForExit(pid) != 0) {
        return std::nullopt;
    }
    std::string id = trimmed(output.substr(0, output.find('\n')));
    if (id.empty()) {
        return std::nullopt;
    }
    return id;
}

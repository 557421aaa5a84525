#include "app/CommandLineSplitter.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    return i;
}

// One argument after the program name, starting at i; returns the position after it.
std::size_t takeArgument(std::string_view text, std::size_t i, std::string& argument) {
    int quotes = 0; // 1 while inside a quoted part
    std::size_t backslashes = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (isBlank(c) && quotes == 0) {
            break;
        }
        if (c == '\\') {
            argument += c;
            ++backslashes;
            ++i;
            continue;
        }
        if (c != '"') {
            argument += c;
            backslashes = 0;
            ++i;
            continue;
        }
        // Half of the backslashes stay; an odd one escapes the quote.
        argument.resize(argument.size() - backslashes / 2 - backslashes % 2);
        if (backslashes % 2 == 0) {
            ++quotes;
        } else {
            argument += '"';
        }
        backslashes = 0;
        ++i;
        while (i < text.size() && text[i] == '"') {
            if (++quotes == 3) {
                argument += '"';
                quotes = 0;
            }
            ++i;
        }
        if (quotes == 2) {
            quotes = 0;
        }
    }
    return i;
}

void appendQuoted(std::string& out, const std::string& argument) {
    out += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(2 * backslashes + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        out += c;
        backslashes = 0;
    }
    out.append(2 * backslashes, '\\');
    out += '"';
}

} // namespace

std::vector<std::string> CommandLineSplitter::split(std::string_view commandLine) {
    std::vector<std::string> arguments;
    if (commandLine.empty()) {
        return arguments;
    }
    std::size_t i = 0;
    std::string program;
    if (commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        const std::size_t end = close == std::string_view::npos ? commandLine.size() : close;
        program = commandLine.substr(1, end - 1);
        i = close == std::string_view::npos ? end : close + 1;
    } else {
        while (i < commandLine.size() && !isBlank(commandLine[i])) {
            program += commandLine[i++];
        }
    }
    arguments.push_back(std::move(program));

    i = skipBlanks(commandLine, i);
    while (i < commandLine.size()) {
        std::string argument;
        i = skipBlanks(commandLine, takeArgument(commandLine, i, argument));
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::optional<std::string> CommandLineSplitter::join(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.front().find('"') != std::string::npos) {
        return std::nullopt;
    }
    std::string line = "\"" + arguments.front() + "\"";
    for (std::size_t k = 1; k < arguments.size(); ++k) {
        line += ' ';
        appendQuoted(line, arguments[k]);
    }
    return line;
}

#include "base/ProfileFile.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/ProfileIndex.h"
#include "base/ProfileLines.h"
#include "base/RegularFile.h"

#include <climits>
#include <cstdio>
#include <deque>

namespace {

// The file content after writing one key.
std::string applyWrite(const std::string& content, std::string_view section, std::string_view key,
                       std::string_view value) {
    const bool crlf = content.empty() || content.find("\r\n") != std::string::npos;
    const std::string cr = crlf ? "\r" : "";
    const std::string keyLine = std::string(key) + "=" + profileline::singleLine(value);

    // The lines stay views into content; a changed or new line lives in made.
    std::vector<std::string_view> lines = profileline::split(content);
    std::deque<std::string> made;
    bool endsWithNewline = content.empty() || content.back() == '\n';
    // Lines appended after a last line that had no line end give it the file's own kind.
    const auto appendAtEnd = [&](std::string line) {
        if (!endsWithNewline && !cr.empty() && !lines.empty() && !lines.back().empty() &&
            lines.back().back() != '\r') {
            lines.back() = made.emplace_back(std::string(lines.back()) + '\r');
        }
        lines.push_back(made.emplace_back(std::move(line)));
        endsWithNewline = true;
    };

    std::size_t sectionLine = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find('[') == std::string_view::npos) {
            continue; // no section line: skipped without a copy
        }
        const auto name = profileline::sectionOf(lines[i]);
        if (name && cp932::equalsNoCase(*name, section)) {
            sectionLine = i;
            break;
        }
    }
    if (sectionLine == lines.size()) {
        appendAtEnd("[" + std::string(section) + "]" + cr);
        appendAtEnd(keyLine + cr);
    } else {
        std::size_t insertAt = sectionLine + 1;
        bool replaced = false;
        for (std::size_t i = sectionLine + 1; i < lines.size() && !profileline::sectionOf(lines[i]);
             ++i) {
            std::string k;
            std::string v;
            if (profileline::keyValueOf(lines[i], k, v) && cp932::equalsNoCase(k, key)) {
                const bool hadCr = !lines[i].empty() && lines[i].back() == '\r';
                lines[i] = made.emplace_back(keyLine + (hadCr ? "\r" : ""));
                replaced = true;
                break;
            }
            if (!cp932::trim(lines[i]).empty()) {
                insertAt = i + 1;
            }
        }
        if (!replaced && insertAt == lines.size()) {
            appendAtEnd(keyLine + cr);
        } else if (!replaced) {
            lines.insert(lines.begin() + static_cast<long>(insertAt),
                         made.emplace_back(keyLine + cr));
        }
    }

    std::string result;
    result.reserve(content.size() + keyLine.size() + section.size() + 8);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result.append(lines[i]);
        if (i + 1 < lines.size() || endsWithNewline) {
            result.push_back('\n');
        }
    }
    return result;
}

} // namespace

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key,
                                             std::size_t bufferSize) const {
    const auto index = m_snapshot->current(m_path);
    const std::string* value = index ? index->find(section, key) : nullptr;
    if (value == nullptr) {
        return std::nullopt;
    }
    return bufferSize == 0 ? std::string() : cp932::cutBytes(*value, bufferSize - 1);
}

std::optional<std::string> ProfileFile::readFrom(std::string_view content, std::string_view section,
                                                 std::string_view key, std::size_t bufferSize) {
    bool inSection = false;
    bool sectionSeen = false;
    for (std::string_view line : profileline::split(content)) {
        if (const auto name = profileline::sectionOf(line)) {
            if (sectionSeen && inSection) {
                break; // the first matching section wins
            }
            inSection = cp932::equalsNoCase(*name, section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        std::string k;
        std::string v;
        if (inSection && profileline::keyValueOf(line, k, v) && cp932::equalsNoCase(k, key)) {
            v = profileline::valueOf(v);
            return bufferSize == 0 ? std::string() : cp932::cutBytes(v, bufferSize - 1);
        }
    }
    return std::nullopt;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback, std::size_t bufferSize) const {
    auto v = read(section, key, bufferSize);
    return (v && !v->empty()) ? *v : std::string(fallback);
}

int ProfileFile::parseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(UINT_MAX)) {
            value = static_cast<long long>(UINT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    // Values beyond the 32-bit range wrap as the classic reader's unsigned conversion does,
    // so "4294967295" written for -1 reads back as -1.
    return static_cast<int>(
        static_cast<unsigned int>(static_cast<long long>(value) & 0xFFFFFFFFLL));
}

int ProfileFile::readInt(std::string_view section, std::string_view key, int fallback) const {
    const auto v = read(section, key);
    if (!v || v->empty()) {
        return fallback;
    }
    return parseInt(*v);
}

bool ProfileFile::write(std::string_view section, std::string_view key,
                        std::string_view value) const {
    return writeMany(section, {{std::string(key), std::string(value)}});
}

bool ProfileFile::writeMany(std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& entries) const {
    if (section.empty() || entries.empty()) {
        return false;
    }
    if (files::exists(m_path) && !files::isRegularFile(m_path)) {
        return false;
    }
    // An existing file that cannot be read is not replaced by the new keys alone.
    const auto existing = files::readAll(m_path);
    if (!existing && files::exists(m_path)) {
        return false;
    }
    std::string content = existing.value_or(std::string());
    for (const auto& [key, value] : entries) {
        if (key.empty()) {
            return false;
        }
        content = applyWrite(content, section, key, value);
    }
    return files::writeAtomically(m_path, content);
}

std::string ProfileFile::withKey(const std::string& content, std::string_view section,
                                 std::string_view key, std::string_view value) {
    return applyWrite(content, section, key, value);
}

bool ProfileFile::writeInt(std::string_view section, std::string_view key, int value) const {
    return write(section, key, std::to_string(value));
}

std::optional<std::string> ProfileFile::firstLine(std::size_t maxChars) const {
    std::FILE* f = RegularFile(m_path).releaseToStream();
    if (f == nullptr) {
        return std::nullopt;
    }
    // A character takes at most two bytes; reading stops at the line end, so a pipe or a huge
    // file is never read further than its first line.
    const std::size_t maxBytes = 2 * maxChars;
    std::string line;
    bool ended = false;
    for (int c = 0; line.size() < maxBytes && (c = std::getc(f)) != EOF;) {
        if (c == '\n') {
            ended = true;
            break;
        }
        line.push_back(static_cast<char>(c));
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        return std::nullopt;
    }
    if (ended && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return cp932::cutChars(line, maxChars);
}

std::vector<std::string> ProfileFile::sectionNames() const {
    const auto index = m_snapshot->current(m_path);
    return index ? index->sectionNames() : std::vector<std::string>();
}

int ProfileFile::parseCount() const {
    return m_snapshot->parseCount();
}

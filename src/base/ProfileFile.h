#pragma once

#include "base/ProfileSnapshot.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A classic initialisation file: "[section]" lines open sections, "key=value" lines set keys.
// Sections and keys match without regard to case and the first match wins. Every read sees the
// file's current content: the file is parsed once and parsed again only after it changed
// (ProfileSnapshot); every write rewrites it atomically, replacing the key's line in place,
// appending a new key to the end of its section, or appending a missing section at the end of the
// file. Section names, keys and values are cp932.
class ProfileFile {
public:
    // The default value buffer: at most 1,023 bytes of a value are used.
    static constexpr std::size_t kDefaultBuffer = 1024;

    explicit ProfileFile(std::string path)
        : m_path(std::move(path)), m_snapshot(std::make_shared<ProfileSnapshot>()) {}

    const std::string& path() const { return m_path; }

    // The value with surrounding blanks (and one pair of enclosing quotes) removed, cut to
    // bufferSize - 1 bytes without splitting a character; nothing when the key is absent.
    std::optional<std::string> read(std::string_view section, std::string_view key,
                                    std::size_t bufferSize = kDefaultBuffer) const;
    // The value, or the fallback when the key is absent or empty.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback = {},
                           std::size_t bufferSize = kDefaultBuffer) const;
    // Decimal value (parsing stops at the first non-digit, a value without digits reads 0);
    // the fallback when the key is absent or empty.
    int readInt(std::string_view section, std::string_view key, int fallback) const;

    bool write(std::string_view section, std::string_view key, std::string_view value) const;
    bool writeInt(std::string_view section, std::string_view key, int value) const;
    // Writes several keys of one section in one atomic rewrite: the result is what writing them
    // one by one would give, but a failure leaves the file as it was.
    bool writeMany(std::string_view section,
                   const std::vector<std::pair<std::string, std::string>>& entries) const;

    // At most maxChars characters of the first line of the file (without its line end), or
    // nothing when unreadable. Only that much of the file is read, however long it is.
    std::optional<std::string> firstLine(std::size_t maxChars) const;
    std::vector<std::string> sectionNames() const;

    // The same two operations on a file's content held in memory: a key's value as read() gives
    // it, and the content after write() of one key.
    static std::optional<std::string> readFrom(std::string_view content, std::string_view section,
                                               std::string_view key,
                                               std::size_t bufferSize = kDefaultBuffer);
    static std::string withKey(const std::string& content, std::string_view section,
                               std::string_view key, std::string_view value);

    // Parses a decimal integer the way the profile reader does.
    static int parseInt(std::string_view text);

    // How often reads through this object (and its copies) parsed the file.
    int parseCount() const;

private:
    std::string m_path;
    std::shared_ptr<ProfileSnapshot> m_snapshot;
};

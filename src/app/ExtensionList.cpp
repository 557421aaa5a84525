#include "app/ExtensionList.h"

#include "base/Cp932.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|.";
constexpr std::array<const char*, 5> kFixed{"TIF", "TIFF", "JPG", "JPEG", "PDF"};
// Extensions of programs, scripts, links and office files: never taken for plot files.
constexpr std::array<const char*, 20> kNotRegistrable{
    "EXE", "DLL", "OCX", "SYS", "VXD", "386", "BAT", "COM", "LNK", "REG",
    "HTA", "JS",  "PIF", "WSF", "CSV", "DOC", "XLS", "PPT", "MDB", "VSD"};

template <typename Names> bool namedIn(const Names& names, const std::string& text) {
    return std::any_of(std::begin(names), std::end(names),
                       [&](const auto& name) { return cp932::equalsNoCase(text, name); });
}

} // namespace

ExtensionList::ExtensionList(std::vector<std::string> entries) : m_entries(std::move(entries)) {
    if (m_entries.size() > kMaxEntries) {
        m_entries.resize(kMaxEntries);
    }
}

std::optional<Msg> ExtensionList::add(const std::string& text) {
    if (!canAdd()) {
        return std::nullopt;
    }
    const std::string ext = cp932::trim(text);
    if (ext.empty()) {
        return Msg::ExtensionEmpty;
    }
    if (cp932::charCount(ext) > kMaxChars) {
        return Msg::ExtensionTooLong;
    }
    for (const char c : kForbidden) {
        if (cp932::findChar(ext, c) != std::string::npos) {
            return Msg::ExtensionBadChar;
        }
    }
    if (namedIn(kFixed, ext) || namedIn(m_entries, ext)) {
        return Msg::ExtensionRegistered;
    }
    if (namedIn(kNotRegistrable, ext)) {
        return Msg::ExtensionNotRegistrable;
    }
    m_entries.push_back(ext);
    return std::nullopt;
}

std::optional<Msg> ExtensionList::remove(const std::vector<int>& indexes) {
    if (indexes.empty()) {
        return Msg::ExtensionNoneSelected;
    }
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (std::find(indexes.begin(), indexes.end(), static_cast<int>(i)) == indexes.end()) {
            kept.push_back(m_entries[i]);
        }
    }
    m_entries = std::move(kept);
    return std::nullopt;
}

#pragma once

#include "base/Messages.h"

#include <optional>
#include <string>
#include <vector>

// The HP-GL2 extensions added to the five fixed image extensions of TargetExt, as the extension
// dialog edits them: at most ten, each at most ten characters, no two equal without regard to
// case. Texts are cp932.
class ExtensionList {
public:
    static constexpr std::size_t kMaxEntries = 10;
    static constexpr std::size_t kMaxChars = 10;

    explicit ExtensionList(std::vector<std::string> entries = {});

    const std::vector<std::string>& entries() const { return m_entries; }
    bool canAdd() const { return m_entries.size() < kMaxEntries; }
    bool canRemove() const { return !m_entries.empty(); }

    // "追加": the trimmed text is appended unless a check refuses it (the message to show). A
    // full list takes nothing and says nothing (its button is disabled).
    std::optional<Msg> add(const std::string& text);
    // "削除": the entries at the given indexes go; none given is refused.
    std::optional<Msg> remove(const std::vector<int>& indexes);

private:
    std::vector<std::string> m_entries;
};

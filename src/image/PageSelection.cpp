#include "image/PageSelection.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr std::size_t kConsideredChars = 254;

// The leading decimal number of a text (after blanks), cut to 0..9999; -1 when there is none.
int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i == text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) {
        return -1;
    }
    int value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), PageSelection::kFlagCount - 1);
    }
    return value;
}

} // namespace

PageSelection::PageSelection(int prevPage, const std::string& prevPageSelect)
    : m_prevPage(prevPage) {
    parse(prevPageSelect);
}

void PageSelection::parse(const std::string& prevPageSelect) {
    m_flags.reset();
    const std::string_view text = std::string_view(prevPageSelect)
                                      .substr(0, std::min(prevPageSelect.size(), kConsideredChars));
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view piece = text.substr(start, comma - start);
        start = comma + 1;
        const std::size_t dash = piece.find('-');
        int from = leadingNumber(piece.substr(0, dash));
        int to = dash == std::string_view::npos ? from : leadingNumber(piece.substr(dash + 1));
        if (from < 0 || to < 0) {
            continue;
        }
        if (from > to) {
            std::swap(from, to);
        }
        for (int page = std::max(from, 1); page <= to; ++page) {
            m_flags.set(static_cast<std::size_t>(page));
        }
    }
}

bool PageSelection::isFlagged(int page) const {
    return page >= 1 && page < kFlagCount && m_flags.test(static_cast<std::size_t>(page));
}

std::vector<int> PageSelection::pagesToPreview(int pageCount) const {
    std::vector<int> pages;
    if (pageCount < 1) {
        return pages;
    }
    if (m_prevPage == 1) {
        pages.push_back(1);
        return pages;
    }
    for (int page = 1; page <= pageCount; ++page) {
        if (m_prevPage != 2 || isFlagged(page)) {
            pages.push_back(page);
        }
    }
    if (pages.empty()) {
        pages.push_back(1);
    }
    return pages;
}

int PageSelection::previewCount(int pageCount) const {
    return static_cast<int>(pagesToPreview(pageCount).size());
}

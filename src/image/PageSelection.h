#pragma once

#include <bitset>
#include <string>
#include <vector>

// Which pages of a file get preview files, from the settings PrevPage and PrevPageSelect:
// PrevPage 1 the first page, 2 the pages listed in PrevPageSelect, anything else every page.
class PageSelection {
public:
    static constexpr int kFlagCount = 10000; // page numbers 1..9999

    PageSelection() = default;
    PageSelection(int prevPage, const std::string& prevPageSelect);

    // Parses a list such as "3,5-4": pieces split at "," (only the first 254 characters count);
    // "a-b" flags pages a to b in either order, a piece without "-" flags the page of its leading
    // number. Numbers outside 1..9999 are cut to that range; a piece without a number is ignored.
    void parse(const std::string& prevPageSelect);
    bool isFlagged(int page) const;

    // The 1-based pages that get previews, in page order. With the list mode and no flagged page
    // within the file, the first page.
    std::vector<int> pagesToPreview(int pageCount) const;
    int previewCount(int pageCount) const;

    // Every page, whatever the settings: HP-GL2 files.
    static PageSelection allPages() { return PageSelection(0, {}); }

private:
    int m_prevPage = 0;
    std::bitset<kFlagCount> m_flags;
};

#include "read/SheetMatcher.h"

#include "read/MatchText.h"

#include <algorithm>

namespace {

// The parts of a code text: the whole, and its fields when it joins several with a separator.
std::vector<std::string> codeParts(const std::string& text) {
    std::vector<std::string> parts{text};
    std::string field;
    for (char c : text + ";") {
        if (c == ';' || c == '|' || c == ',' || c == '\t' || c == '\n' || c == ' ') {
            if (!field.empty() && field != text) {
                parts.push_back(field);
            }
            field.clear();
        } else {
            field += c;
        }
    }
    return parts;
}

bool candidateRow(const SheetMatcher::Row& row) {
    return !row.assigned && std::any_of(row.values.begin(), row.values.end(),
                                        [](const std::string& v) { return !v.empty(); });
}

// The row a code names, when exactly one row has a value equal to it.
std::optional<SheetMatcher::Candidate> byCode(const std::vector<SheetMatcher::Row>& rows,
                                              const std::vector<ReadCode>& codes) {
    std::optional<SheetMatcher::Candidate> found;
    for (const ReadCode& code : codes) {
        for (const std::string& part : codeParts(code.text)) {
            for (const SheetMatcher::Row& row : rows) {
                if (!candidateRow(row)) {
                    continue;
                }
                for (std::size_t k = 0; k < row.values.size(); ++k) {
                    if (row.values[k].empty() || !MatchText::same(part, row.values[k])) {
                        continue;
                    }
                    if (found && found->row != row.row) {
                        return std::nullopt; // a code that names two rows decides nothing
                    }
                    found = SheetMatcher::Candidate{
                        row.row,      row.rowKey, 1.0, SheetMatcher::By::Code, static_cast<int>(k),
                        row.values[k]};
                }
            }
        }
    }
    return found;
}

} // namespace

SheetMatcher::Candidate SheetMatcher::scoreByText(const Row& row, const std::u32string& text) {
    Candidate c{row.row, row.rowKey, 0.0, By::Text, 0, {}};
    double weighted = 0.0;
    double weights = 0.0;
    double heaviest = -1.0;
    for (std::size_t k = 0; k < row.values.size(); ++k) {
        const std::u32string value = MatchText::fold(row.values[k]);
        if (value.empty()) {
            continue;
        }
        const double weight = static_cast<double>(std::count_if(
            value.begin(), value.end(), [](char32_t p) { return p != U' ' && p != U'-'; }));
        weighted += weight * MatchText::occurrence(value, text);
        weights += weight;
        if (weight > heaviest) {
            heaviest = weight;
            c.column = static_cast<int>(k);
            c.value = row.values[k];
        }
    }
    c.score = weights > 0.0 ? weighted / weights : 0.0;
    return c;
}

SheetMatcher::Result SheetMatcher::match(const std::vector<Row>& rows,
                                         const std::vector<ReadCode>& codes,
                                         const std::string& text) {
    std::string haystack = text;
    for (const ReadCode& code : codes) {
        haystack += " " + code.text;
    }
    const std::u32string folded = MatchText::fold(haystack);
    std::vector<Candidate> ranked;
    for (const Row& row : rows) {
        if (candidateRow(row)) {
            ranked.push_back(scoreByText(row, folded));
        }
    }
    // Best first; equal scores keep the list order, so the answer never depends on the sort.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score > b.score; });

    Result result;
    if (const auto coded = byCode(rows, codes)) {
        result.suggestion = coded;
        const auto other = std::find_if(ranked.begin(), ranked.end(),
                                        [&](const Candidate& c) { return c.row != coded->row; });
        if (other != ranked.end()) {
            result.runnerUp = *other;
        }
        result.codeOverText =
            !ranked.empty() && ranked.front().row != coded->row && ranked.front().score >= kFloor;
        return result;
    }
    if (ranked.size() > 1) {
        result.runnerUp = ranked[1];
    }
    if (!ranked.empty() && ranked.front().score >= kFloor &&
        (ranked.size() == 1 || ranked.front().score - ranked[1].score >= kMargin)) {
        result.suggestion = ranked.front();
    }
    return result;
}

#include "read/MatchText.h"

#include <algorithm>
#include <array>

namespace {

char32_t decodeNext(const std::string& s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t extra = c >= 0xF0 && c < 0xF5   ? 3
                              : c >= 0xE0 && c < 0xF0 ? 2
                              : c >= 0xC2 && c < 0xE0 ? 1
                                                      : 0;
    if (extra == 0 || i + extra >= s.size()) {
        ++i;
        return c;
    }
    char32_t cp = c & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        cp = (cp << 6) | (t & 0x3F);
    }
    i += extra + 1;
    return cp;
}

// Half-width katakana U+FF66..U+FF9D as full-width katakana.
constexpr std::array<char32_t, 0x38> kHalfKana = {
    U'ヲ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ャ', U'ュ', U'ョ', U'ッ', U'ー', U'ア',
    U'イ', U'ウ', U'エ', U'オ', U'カ', U'キ', U'ク', U'ケ', U'コ', U'サ', U'シ', U'ス',
    U'セ', U'ソ', U'タ', U'チ', U'ツ', U'テ', U'ト', U'ナ', U'ニ', U'ヌ', U'ネ', U'ノ',
    U'ハ', U'ヒ', U'フ', U'ヘ', U'ホ', U'マ', U'ミ', U'ム', U'メ', U'モ', U'ヤ', U'ユ',
    U'ヨ', U'ラ', U'リ', U'ル', U'レ', U'ロ', U'ワ', U'ン'};

char32_t foldPoint(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
        c -= 0xFEE0;
    } else if (c == 0x3000) {
        c = U' ';
    } else if (c >= 0xFF66 && c <= 0xFF9D) {
        c = kHalfKana[c - 0xFF66];
    } else if ((c >= 0x2010 && c <= 0x2015) || c == 0x2212 || c == 0x30FC || c == 0xFF70) {
        c = U'-';
    }
    if (c >= U'A' && c <= U'Z') {
        c += U'a' - U'A';
    }
    return c;
}

// The voiced (dakuten, +1) and half-voiced (handakuten, +2) forms of full-width katakana.
bool takesVoicedMark(char32_t c) {
    return (c >= U'カ' && c <= U'ヂ' && (c - U'カ') % 2 == 0) || c == U'ツ' || c == U'テ' ||
           c == U'ト' || (c >= U'ハ' && c <= U'ホ' && (c - U'ハ') % 3 == 0);
}

bool isGap(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'-';
}

bool isWordPoint(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z');
}

// The look-alike class of a folded point.
char32_t lookAlike(char32_t c) {
    switch (c) {
    case U'o':
        return U'0';
    case U'i':
    case U'l':
    case U'|':
        return U'1';
    case U's':
        return U'5';
    case U'b':
        return U'8';
    default:
        return c;
    }
}

std::u32string withoutGaps(const std::u32string& s) {
    std::u32string out;
    std::copy_if(s.begin(), s.end(), std::back_inserter(out), [](char32_t c) { return !isGap(c); });
    return out;
}

} // namespace

std::u32string MatchText::fold(const std::string& utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = decodeNext(utf8, i);
        // A half-width voiced mark joins the katakana before it.
        if (c == 0xFF9E && !out.empty() && (takesVoicedMark(out.back()) || out.back() == U'ウ')) {
            out.back() = out.back() == U'ウ' ? U'ヴ' : out.back() + 1;
        } else if (c == 0xFF9F && !out.empty() && out.back() >= U'ハ' && out.back() <= U'ホ' &&
                   (out.back() - U'ハ') % 3 == 0) {
            out.back() += 2;
        } else {
            out += foldPoint(c);
        }
    }
    return out;
}

bool MatchText::same(const std::string& a, const std::string& b) {
    return withoutGaps(fold(a)) == withoutGaps(fold(b));
}

double MatchText::occurrence(const std::u32string& value, const std::u32string& text) {
    const std::u32string v = withoutGaps(value);
    const std::size_t m = v.size();
    if (m == 0) {
        return 0.0;
    }
    // Costs in quarter edits. Column j of the table is the text up to j points; a match may
    // start anywhere, so row 0 costs nothing, and the start of each cell's stretch is carried.
    constexpr int kEdit = 4;
    constexpr int kLookAlike = 1;
    constexpr int kRunOn = 2;
    const std::size_t n = text.size();
    std::vector<int> prev(n + 1, 0);
    std::vector<int> cur(n + 1, 0);
    std::vector<std::size_t> prevStart(n + 1);
    std::vector<std::size_t> curStart(n + 1);
    for (std::size_t j = 0; j <= n; ++j) {
        prevStart[j] = j;
    }
    for (std::size_t i = 1; i <= m; ++i) {
        cur[0] = static_cast<int>(i) * kEdit;
        curStart[0] = 0;
        for (std::size_t j = 1; j <= n; ++j) {
            const char32_t t = text[j - 1];
            int best;
            std::size_t start;
            if (isGap(t)) {
                // Spaces and dashes in the text are skipped for nothing.
                best = cur[j - 1];
                start = curStart[j - 1];
            } else {
                const int sub = v[i - 1] == t                         ? 0
                                : lookAlike(v[i - 1]) == lookAlike(t) ? kLookAlike
                                                                      : kEdit;
                best = prev[j - 1] + sub;
                start = prevStart[j - 1];
                if (prev[j] + kEdit < best) {
                    best = prev[j] + kEdit;
                    start = prevStart[j];
                }
                if (cur[j - 1] + kEdit < best) {
                    best = cur[j - 1] + kEdit;
                    start = curStart[j - 1];
                }
            }
            cur[j] = best;
            curStart[j] = start;
        }
        std::swap(prev, cur);
        std::swap(prevStart, curStart);
    }
    int best = static_cast<int>(m) * kEdit;
    for (std::size_t j = 1; j <= n; ++j) {
        int cost = prev[j];
        if (j < n && isWordPoint(text[j]) && isWordPoint(v.back())) {
            cost += kRunOn;
        }
        const std::size_t s = prevStart[j];
        if (s > 0 && isWordPoint(text[s - 1]) && isWordPoint(v.front())) {
            cost += kRunOn;
        }
        best = std::min(best, cost);
    }
    return std::max(0.0, 1.0 - static_cast<double>(best) / (static_cast<double>(m) * kEdit));
}

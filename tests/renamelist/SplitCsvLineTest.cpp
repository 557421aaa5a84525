#include "renamelist/SplitCsvLine.h"
#include "renamelist/ShortenForDisplay.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using Fields = std::vector<std::string>;

TEST(SplitCsvLine, QuoteAndCommaRules) {
    const struct {
        std::string line;
        Fields fields;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"\"x,y\",z", {"x,y", "z"}},
        {"\"x\"\"y\",z", {"xy", "z"}}, // doubled quotes both disappear
        {"a\"b,c", {"ab", "c"}},       // a lone quote is dropped
        {"a\"b,c\"d", {"ab,cd"}},      // a quote with a later partner opens a quoted part
        {"a,b,\n", {"a", "b", ""}},    // the closing comma keeps the empty third field
        {"a,b\n", {"a", "b"}},
        {"\n", {""}}, // an empty line is one empty field
        {"", {""}},
        {" a , b ", {" a ", " b "}}, // fields are not trimmed
        {"a,,b", {"a", "", "b"}},
        {"a\nb", {"a", "b"}}, // every LF separates like a comma
        {",,,", {"", "", ""}},
        {"\"\"\"", {""}},
        {"\",\",\"", {",", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCsvLine(c.line), c.fields) << c.line;
    }
}

TEST(SplitCsvLine, DoubleByteTextIsNotSplit) {
    // Trail bytes of cp932 are never '"' or ',', so quoted multibyte text survives whole.
    const std::string line = sj("\"図面,番号\",表示");
    EXPECT_EQ(SplitCsvLine(line), (Fields{sj("図面,番号"), sj("表示")}));
}

TEST(ShortenForDisplay, KeepsHeadAndTailWithoutSplittingCharacters) {
    const std::string name35(35, 'n');
    EXPECT_EQ(ShortenForDisplay(name35, 36), name35);
    const std::string name = "abcdefghijklmnopqrstuvwxyz0123456789ABCD"; // 40 bytes
    EXPECT_EQ(ShortenForDisplay(name, 36), "abcdefghijklmnopq...yz0123456789ABCD");
    // A double-byte character that starts inside the head is kept whole; one that starts
    // before the tail area is left out.
    const std::string wide =
        std::string(16, 'a') + sj("図") + std::string(4, 'b') + sj("面") + std::string(15, 'c');
    EXPECT_EQ(ShortenForDisplay(wide, 36),
              std::string(16, 'a') + sj("図") + "..." + std::string(15, 'c'));
}

#include "base/Cp932.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "表" and "ソ" end in 0x5C ("\"), "ー" ends in 0x5B ("["), "Ａ" ends in 0x60, "＼" is 0x81 0x5F.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(Cp932Test, LeadTrailAndKatakanaByteClasses) {
    EXPECT_TRUE(cp932::isLeadByte(0x81));
    EXPECT_TRUE(cp932::isLeadByte(0x9F));
    EXPECT_TRUE(cp932::isLeadByte(0xE0));
    EXPECT_TRUE(cp932::isLeadByte(0xFC));
    EXPECT_FALSE(cp932::isLeadByte(0x80));
    EXPECT_FALSE(cp932::isLeadByte(0xA0));
    EXPECT_FALSE(cp932::isLeadByte(0xB1)); // half-width katakana is a single byte
    EXPECT_FALSE(cp932::isLeadByte(0xFD));
    EXPECT_TRUE(cp932::isTrailByte(0x40));
    EXPECT_TRUE(cp932::isTrailByte(0x5C));
    EXPECT_FALSE(cp932::isTrailByte(0x7F));
    EXPECT_FALSE(cp932::isTrailByte(0x3F));
    EXPECT_FALSE(cp932::isTrailByte(0xFD));
    EXPECT_TRUE(cp932::isHalfWidthKatakana(0xA1));
    EXPECT_TRUE(cp932::isHalfWidthKatakana(0xDF));
    EXPECT_FALSE(cp932::isHalfWidthKatakana(0xE0));
}

TEST(Cp932Test, CharacterWalkCountsDoubleByteCharactersOnce) {
    const struct {
        std::string text;
        std::size_t chars;
    } cases[] = {
        {"", 0},         {"abc", 3},      {sj("表ソ"), 2},
        {sj("ｱｲｳ"), 3},  {sj("a表ｱ"), 3}, {"\x81", 1}, // lone lead byte at the end
        {"\x81\x20", 2},                               // lead byte without a valid trail byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::charCount(c.text), c.chars) << u8(c.text);
    }
    const std::string s = "a" + kHyo + "b";
    EXPECT_EQ(cp932::charLength(s, 0), 1u);
    EXPECT_EQ(cp932::charLength(s, 1), 2u);
    EXPECT_EQ(cp932::charLength(s, 3), 1u);
    EXPECT_EQ(cp932::charLength(s, 4), 0u);
    EXPECT_TRUE(cp932::isCharBoundary(s, 1));
    EXPECT_FALSE(cp932::isCharBoundary(s, 2));
    EXPECT_TRUE(cp932::isCharBoundary(s, 3));
    EXPECT_EQ(cp932::previousCharStart(s, 3), 1u);
    EXPECT_EQ(cp932::previousCharStart(s, 4), 3u);
}

TEST(Cp932Test, TrailBytesNeverMatchSingleByteCharacters) {
    const std::string path = sj("表") + "\\" + kSo + "[x]|";
    EXPECT_EQ(cp932::findChar(path, '\\'), 2u);
    EXPECT_EQ(cp932::findLastChar(path, '\\'), 2u);
    EXPECT_EQ(cp932::findChar(kHyo + kSo, '\\'), std::string::npos);
    EXPECT_EQ(cp932::findChar(path, '['), 5u);
    EXPECT_EQ(cp932::findChar(path, ']'), 7u);
    EXPECT_EQ(cp932::findChar(path, '|'), 8u);
    EXPECT_EQ(cp932::findChar(path, '\\', 3), std::string::npos);
    // A needle that starts with a trail byte value must not match inside a character.
    EXPECT_EQ(cp932::find(kHyo + "\\a", "\\a"), 2u);
    EXPECT_EQ(cp932::find(kHyo + "a", "\\a"), std::string::npos);
    EXPECT_FALSE(cp932::contains(kSo, "\\"));
    EXPECT_TRUE(cp932::contains(kSo + "\\", "\\"));
    EXPECT_EQ(cp932::find("abc", ""), 0u);
}

TEST(Cp932Test, ReplaceAllLeavesTrailBytesAlone) {
    const struct {
        std::string in, from, to, out;
    } cases[] = {
        {kHyo + "\\" + kSo, "\\", "/", kHyo + "/" + kSo},
        {"[" + kSo + "]", "]", ")", "[" + kSo + ")"},
        {"a|b|", "|", "", "ab"},
        {kHyo + kHyo, kHyo, "x", "xx"},
        // "\x5C\x95" straddles two characters: not a match.
        {kHyo + kHyo, "\x5C\x95", "!", kHyo + kHyo},
        {"abc", "", "x", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::replaceAll(c.in, c.from, c.to), c.out) << u8(c.in);
    }
    EXPECT_EQ(cp932::replaceWideChar(sj("１－２"), sj("－"), '-'), sj("１-２"));
}

TEST(Cp932Test, CompareWithoutCaseFoldsAsciiOnly) {
    EXPECT_TRUE(cp932::equalsNoCase("Name.TPL", "name.tpl"));
    EXPECT_TRUE(cp932::equalsNoCase(sj("図面abc"), sj("図面ABC")));
    EXPECT_FALSE(cp932::equalsNoCase("abc", "abcd"));
    // Trail bytes 0x61 and 0x41 look like "a" and "A" but are different characters.
    EXPECT_FALSE(cp932::equalsNoCase("\x82\x61", "\x82\x41"));
    EXPECT_NE(cp932::compareNoCase("\x82\x61", "\x82\x41"), 0);
    // Full-width letters are not folded.
    EXPECT_FALSE(cp932::equalsNoCase(sj("ａ"), sj("Ａ")));
    EXPECT_LT(cp932::compareNoCase("abc", "ABD"), 0);
    EXPECT_GT(cp932::compareNoCase("b", "A"), 0);
    EXPECT_LT(cp932::compareNoCase("ab", "AB0"), 0);
    EXPECT_TRUE(cp932::endsWithNoCase("drawing.Tpl", ".TPL"));
    EXPECT_FALSE(cp932::endsWithNoCase("x", ".tpl"));
    // The suffix must start on a character boundary.
    EXPECT_FALSE(cp932::endsWithNoCase(kHyo, "\\"));
    EXPECT_EQ(cp932::toUpperAscii("ab" + std::string("\x82\x61") + "c"), "AB\x82\x61"
                                                                         "C");
}

TEST(Cp932Test, TrimmingHalfAndFullWidthBlanks) {
    const std::string wide = sj("　");
    EXPECT_EQ(cp932::trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(cp932::trimLeft("  a "), "a ");
    EXPECT_EQ(cp932::trimRight("  a "), "  a");
    // The plain trim keeps full-width blanks.
    EXPECT_EQ(cp932::trim(wide + "a" + wide), wide + "a" + wide);
    EXPECT_EQ(cp932::trimBlanksWide(" " + wide + "a b" + wide + " " + wide), "a b");
    EXPECT_EQ(cp932::trimLeftBlanksWide(wide + " a" + wide), "a" + wide);
    EXPECT_EQ(cp932::trimBlanksWide(wide + wide), "");
    // A character whose trail byte is 0x40 like the full-width blank's is not a blank.
    EXPECT_EQ(cp932::trimBlanksWide("\x82\x40"), "\x82\x40");
    EXPECT_EQ(cp932::trimBlanksWide("a\x82\x40"), "a\x82\x40");
}

TEST(Cp932Test, CutBytesNeverSplitsACharacter) {
    const std::string s = "a" + kHyo + "b" + kSo; // 6 bytes, 4 characters
    const struct {
        std::size_t max;
        std::string out;
    } cases[] = {
        {0, ""}, {1, "a"}, {2, "a"}, {3, "a" + kHyo}, {4, "a" + kHyo + "b"}, {5, "a" + kHyo + "b"},
        {6, s},  {100, s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::cutBytes(s, c.max), c.out) << c.max;
    }
    EXPECT_EQ(cp932::cutChars(s, 2), "a" + kHyo);
    EXPECT_EQ(cp932::cutChars(s, 9), s);
}

TEST(Cp932Test, ForbiddenCharactersBecomeFullWidth) {
    EXPECT_EQ(cp932::forbiddenToFullWidth("a\\b/c:d*e?f\"g<h>i|j"),
              sj("a￥b／c：d＊e？f”g＜h＞i｜j"));
    // A trail byte 0x5C or 0x7C is part of its character and stays.
    EXPECT_EQ(cp932::forbiddenToFullWidth(kHyo + kSo + "\x83\x7C"), kHyo + kSo + "\x83\x7C");
    EXPECT_TRUE(cp932::containsForbiddenChar("a?b"));
    EXPECT_FALSE(cp932::containsForbiddenChar(kHyo + kSo));
    for (const char c : std::string("\\/:*?\"<>|")) {
        EXPECT_TRUE(cp932::isForbiddenChar(c)) << c;
    }
    EXPECT_FALSE(cp932::isForbiddenChar('\t'));
    EXPECT_FALSE(cp932::isForbiddenChar('.'));
}

TEST(Cp932Test, FullWidthDigitsBothWays) {
    EXPECT_EQ(cp932::fullWidthDigitsToHalf(sj("０１２３４５６７８９号")), sj("0123456789号"));
    EXPECT_EQ(cp932::halfWidthDigitsToFull("A09"), sj("A０９"));
    // "＼" (0x81 0x5F) and other 0x82 characters outside the digits stay.
    EXPECT_EQ(cp932::fullWidthDigitsToHalf(sj("Ａｚ＼")), sj("Ａｚ＼"));
    EXPECT_EQ(cp932::fullWidthDigitsToHalf("\x82"), "\x82");
}

} // namespace

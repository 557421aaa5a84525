#include "base/TextCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD

TEST(TextCodecTest, RoundTripsJapaneseAndVendorCharacters) {
    const struct {
        const char* utf8;
        std::string cp932;
    } cases[] = {
        {"abc", "abc"},
        {"ﾘﾈｰﾑﾘｽﾄ", "\xD8\xC8\xB0\xD1\xD8\xBD\xC4"},
        {"表ソ", "\x95\x5C\x83\x5C"},
        {"①", "\x87\x40"},            // NEC special character
        {"髙", "\xFB\xFC"},           // IBM extension
        {"纊", "\xFA\x5C"},           // IBM extension with a 0x5C trail byte
        {"～－", "\x81\x60\x81\x7C"}, // the code page's own mappings
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textcodec::utf8ToCp932(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(textcodec::cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
        EXPECT_EQ(textcodec::utf8ToCp932Strict(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(textcodec::cp932ToUtf8Strict(c.cp932), c.utf8) << c.utf8;
    }
    // The NEC-selected form of "髙" reads as the same character.
    EXPECT_EQ(textcodec::cp932ToUtf8("\xEE\xE0"), "髙");
}

TEST(TextCodecTest, InvalidCp932BytesBecomeOneReplacementEach) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"a\x80"
         "b",
         "a" + kReplacement + "b"},
        {"\xFD\xFE\xFF", kReplacement + kReplacement + kReplacement},
        {"\xA0z", kReplacement + "z"},
        {"ab\x81", "ab" + kReplacement},                  // lead byte cut off at the end
        {"\x81 x", kReplacement + " x"},                  // lead byte followed by no trail byte
        {std::string("a\0b", 3), std::string("a\0b", 3)}, // NUL converts like any byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textcodec::cp932ToUtf8(c.in), c.out);
    }
    EXPECT_FALSE(textcodec::cp932ToUtf8Strict("a\x80"));
    EXPECT_FALSE(textcodec::cp932ToUtf8Strict("ab\x81"));
}

TEST(TextCodecTest, Utf8WithoutCp932FormBecomesQuestionMark) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"é", "?"},
        {"a€b", "a?b"},
        {"x😀y", "x?y"},
        {"表é表", "\x95\x5C?\x95\x5C"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textcodec::utf8ToCp932(c.in), c.out) << c.in;
        EXPECT_FALSE(textcodec::utf8ToCp932Strict(c.in)) << c.in;
    }
}

TEST(TextCodecTest, BrokenUtf8LosesOnlyTheBrokenBytes) {
    // File names on disk may be in another encoding: the bytes that follow a broken sequence
    // must survive.
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"ab\xFF"
         "cdef",
         "ab?cdef"},
        {"\xC3(x", "?(x"},
        {"\xE3\x81"
         "A",
         "?A"},
        {"\xF0\x9F"
         "ok",
         "?ok"},
        {"a\x80"
         "b",
         "a?b"},
        {"end\xE3", "end?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textcodec::utf8ToCp932(c.in), c.out);
    }
    EXPECT_FALSE(textcodec::utf8ToCp932Strict("ab\xFF"));
}

TEST(TextCodecTest, ValidUtf8ReplacesEveryByteOutsideAWellFormedSequence) {
    const std::string r = "\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::string in;
        std::string out;
    } cases[] = {
        {"well-formed text passes", "a\xE5\x9B\xB3\xF0\x9F\x98\x80z",
         "a\xE5\x9B\xB3\xF0\x9F\x98\x80z"},
        {"a stray continuation byte", "a\x80z", "a" + r + "z"},
        {"a cp932 name", "\x90\x7D\x96\xCA.tif", r + "}" + r + r + ".tif"},
        {"an overlong form", "\xC0\xAF\xE0\x80\xAF", r + r + r + r + r},
        {"a surrogate", "\xED\xA0\x80", r + r + r},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"cut short at the end", "ok\xE3\x81", "ok" + r + r},
        {"a lead byte before ASCII", "\xE3(x", r + "(x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textcodec::validUtf8(c.in), c.out) << c.what;
    }
}

TEST(TextCodecTest, LongTextConvertsCompletely) {
    // Longer than the converter's internal buffer, with a replacement in the middle.
    std::string cp932;
    std::string utf8;
    for (int i = 0; i < 3000; ++i) {
        cp932 += "\x95\x5C";
        utf8 += "表";
    }
    EXPECT_EQ(textcodec::cp932ToUtf8(cp932 + "\x80" + cp932), utf8 + kReplacement + utf8);
    EXPECT_EQ(textcodec::utf8ToCp932(utf8 + "é" + utf8), cp932 + "?" + cp932);
}

TEST(TextCodecTest, AConversionLeftBrokenDoesNotSpillIntoTheNext) {
    // The conversions stay open between texts: a text cut in the middle of a character must not
    // leave its half behind for the next one, in either direction and from either thread.
    const auto run = [] {
        const struct {
            std::string broken;
            std::string next;
            std::string expected;
            bool fromCp932;
        } cases[] = {
            {"ab\x81", "\x40\x95\x5C", "@表", true},
            {"ab\xE3\x81", "\x82z", "?z", false},
        };
        for (const auto& c : cases) {
            if (c.fromCp932) {
                EXPECT_FALSE(textcodec::cp932ToUtf8Strict(c.broken));
                EXPECT_EQ(textcodec::cp932ToUtf8Strict(c.next), c.expected);
            } else {
                EXPECT_FALSE(textcodec::utf8ToCp932Strict(c.broken));
                EXPECT_EQ(textcodec::utf8ToCp932(c.next), c.expected);
            }
        }
    };
    run();
    std::thread other(run);
    other.join();
}

} // namespace

#include "app/CommandLineSplitter.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* line;
    Args arguments;
};

class CommandLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, FollowsTheWindowsQuotingRules) {
    EXPECT_EQ(CommandLineSplitter::split(GetParam().line), GetParam().arguments) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLineSplitter, CommandLineSplit,
    testing::Values(
        SplitCase{"", {}}, SplitCase{"prog", {"prog"}},
        SplitCase{"prog  a\tb  ", {"prog", "a", "b"}},
        // The program name: quoted up to the next quote, backslashes are plain.
        SplitCase{R"("/opt/my viewer/view" "/data/help file.pdf")",
                  {"/opt/my viewer/view", "/data/help file.pdf"}},
        SplitCase{R"("C:\Program Files\a\" x)", {R"(C:\Program Files\a\)", "x"}},
        SplitCase{R"("prog"next arg)", {"prog", "next", "arg"}},
        SplitCase{R"("unterminated prog)", {"unterminated prog"}},
        SplitCase{R"(C:\dir\prog.exe a)", {R"(C:\dir\prog.exe)", "a"}},
        // Quotes group blanks and may start in the middle of an argument.
        SplitCase{R"(p "a b" c)", {"p", "a b", "c"}}, SplitCase{R"(p a"b c"d)", {"p", "ab cd"}},
        SplitCase{R"(p "" "")", {"p", "", ""}}, SplitCase{R"(p "open)", {"p", "open"}},
        // Backslashes: plain unless before a quote.
        SplitCase{R"(p a\b a\\b)", {"p", R"(a\b)", R"(a\\b)"}},
        SplitCase{R"(p a\"b)", {"p", R"(a"b)"}}, SplitCase{R"(p a\\"b c")", {"p", R"(a\b c)"}},
        SplitCase{R"(p a\\\"b)", {"p", R"(a\"b)"}}, SplitCase{R"(p a\\\\"b")", {"p", R"(a\\b)"}},
        // A trailing backslash: plain outside quotes, doubled before the closing quote.
        SplitCase{R"(p C:\dir\)", {"p", R"(C:\dir\)"}},
        SplitCase{R"(p "C:\dir\\")", {"p", R"(C:\dir\)"}},
        SplitCase{R"(p "C:\dir\" x)", {"p", R"(C:\dir" x)"}},
        // Doubled quotes inside quotes give one quote and end the quoted part.
        SplitCase{R"(p "a""b")", {"p", R"(a"b)"}}, SplitCase{R"(p "a"" b")", {"p", R"(a")", "b"}},
        SplitCase{R"(p """a b""")", {"p", R"("a)", R"(b")"}}, SplitCase{R"(p """")", {"p", R"(")"}},
        // Multi-byte UTF-8 passes through untouched.
        SplitCase{"\"/データ/表示\" \"/図面 ソ/a.pdf\"", {"/データ/表示", "/図面 ソ/a.pdf"}}));

TEST(CommandLineSplitter, JoinQuotesEveryArgumentAndSplitsBackToTheSame) {
    EXPECT_EQ(CommandLineSplitter::join({"/usr/bin/okular", "/opt/nomira/NomiraUM.pdf"}),
              "\"/usr/bin/okular\" \"/opt/nomira/NomiraUM.pdf\"");

    const std::vector<Args> vectors{
        {"prog"},
        {R"(C:\dir\)", "a"},
        {"p", ""},
        {"p", R"(a"b)", R"(a\"b)", R"(a\\)", R"(\)", R"(")", R"("")", "a b\tc"},
        {"p", R"(x\\"y\)", "--file=%f", "\"\"\""},
    };
    for (const Args& arguments : vectors) {
        const auto line = CommandLineSplitter::join(arguments);
        ASSERT_TRUE(line.has_value());
        EXPECT_EQ(CommandLineSplitter::split(*line), arguments) << *line;
    }
}

TEST(CommandLineSplitter, JoinRefusesWhatTheRulesCannotWrite) {
    EXPECT_FALSE(CommandLineSplitter::join({}).has_value());
    EXPECT_FALSE(CommandLineSplitter::join({R"(odd"name)", "a"}).has_value());
}

} // namespace

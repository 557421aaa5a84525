#include "renamelist/ValueCheck.h"
#include "app/SettingsStore.h"
#include "renamelist/DateValue.h"
#include "support/ProfileFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

enum Type { Text = 1, Integer = 2, Real = 3, DateType = 4, Paper = 5 };
enum class Mode { Import, Edit };

ColumnDef column(int type, int digits = 0, int decimals = 0) {
    ColumnDef c;
    c.type = type;
    c.digits = digits;
    c.decimals = decimals;
    return c;
}

ColumnDef fileNameColumn(int digits, int alignment) {
    ColumnDef c = column(Text, digits);
    c.fileName = true;
    c.alignment = alignment;
    return c;
}

ColumnDef restricted(std::array<int, 5> codes) {
    ColumnDef c = column(Text);
    c.restriction = codes;
    return c;
}

const std::string kInitial = "2010/04/01";

struct Case {
    const char* what;
    ColumnDef column;
    Mode mode;
    std::string input;                   // cp932
    std::optional<std::string> expected; // nothing: invalid
};

std::optional<std::string> run(const Case& c) {
    const ValueCheck::Result r = c.mode == Mode::Import
                                     ? ValueCheck::importValue(c.column, c.input, kInitial)
                                     : ValueCheck::editValue(c.column, c.input);
    if (!r.valid) {
        return std::nullopt;
    }
    return r.value;
}

void runTable(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(run(c), c.expected) << c.what << ": \"" << u8(c.input) << "\"";
    }
}

const std::nullopt_t invalid = std::nullopt;

} // namespace

TEST(ValueCheck, IntegersAreTrimmedCheckedAndCut) {
    const ColumnDef d3 = column(Integer, 3);
    runTable({
        {"long value is cut", d3, Mode::Import, "12345", "123"},
        {"signed value keeps one more byte", d3, Mode::Import, "+12345", "+123"},
        {"negative value", d3, Mode::Import, "-12345", "-123"},
        {"letter", d3, Mode::Import, "12a", invalid},
        {"blanks trimmed", d3, Mode::Import, " \t42 ", "42"},
        {"empty is valid", d3, Mode::Import, "", ""},
        {"sign alone", d3, Mode::Import, "-", invalid},
        {"inner blank", d3, Mode::Import, "1 2", invalid},
        {"full-width digits", d3, Mode::Import, sj("１２"), invalid},
        {"default digits are 9", column(Integer), Mode::Import, "12345678901", "123456789"},
        {"edit cuts an unsigned value", d3, Mode::Edit, "12345", "123"},
        {"edit refuses a long signed value", d3, Mode::Edit, "-12345", invalid},
        {"edit keeps a short signed value", d3, Mode::Edit, "-123", "-123"},
        {"edit refuses a letter", d3, Mode::Edit, "1a", invalid},
    });
}

TEST(ValueCheck, RealsAreNormalised) {
    const ColumnDef d3 = column(Real, 3); // decimals not set: 2
    runTable({
        {"one part is cut", d3, Mode::Import, "1234", "123"},
        {"long integer part", d3, Mode::Import, "1234.5", invalid},
        {"fraction cut to decimals", d3, Mode::Import, "12.345", "12.34"},
        {"trailing point removed", d3, Mode::Import, "12.", "12"},
        {"leading point", d3, Mode::Import, ".5", invalid},
        {"sign then point", d3, Mode::Import, "-.5", invalid},
        {"three parts", d3, Mode::Import, "1.2.3", invalid},
        {"signed value", d3, Mode::Import, "+12.5", "+12.5"},
        {"signed long integer part", d3, Mode::Import, "-1234.5", invalid},
        {"parts trimmed", d3, Mode::Import, " 1 . 5 ", "1.5"},
        {"letter in fraction", d3, Mode::Import, "1.2a", invalid},
        {"empty stays empty", d3, Mode::Import, "", ""},
        {"one decimal", column(Real, 9, 1), Mode::Import, "3.14", "3.1"},
        {"edit normalises the same way", d3, Mode::Edit, "12.345", "12.34"},
        {"edit drops a point left over", d3, Mode::Edit, "12..", "12"},
    });
}

TEST(ValueCheck, DatesKeepTheCalendarAndTheYearRange) {
    const ColumnDef date = column(DateType);
    runTable({
        {"padded", date, Mode::Import, "2008/1/5", "2008/01/05"},
        {"leap day", date, Mode::Import, "2008/2/29", "2008/02/29"},
        {"no leap day", date, Mode::Import, "2007/2/29", invalid},
        {"every 400 years", date, Mode::Import, "2000/02/29", "2000/02/29"},
        {"February 30", date, Mode::Import, "2008/02/30", invalid},
        {"April 31", date, Mode::Import, "2008/04/31", invalid},
        {"month 13", date, Mode::Import, "2008/13/01", invalid},
        {"first year", date, Mode::Import, "1970/01/01", "1970/01/01"},
        {"before the range", date, Mode::Import, "1969/12/31", invalid},
        {"last year", date, Mode::Import, "2037/12/31", "2037/12/31"},
        {"after the range", date, Mode::Import, "2038/01/01", invalid},
        {"two parts", date, Mode::Import, "2008/1", invalid},
        {"four parts", date, Mode::Import, "2008/1/5/", invalid},
        {"longer than 10 bytes", date, Mode::Import, "2008/01/005", invalid},
        {"parts trimmed", date, Mode::Import, " 2008/ 1/ 5 ", "2008/01/05"},
        {"not a date", date, Mode::Import, "abcd/ef/gh", invalid},
        {"empty gets the initial date", date, Mode::Import, "", kInitial},
        {"edit keeps empty", date, Mode::Edit, "", ""},
        {"edit refuses February 30", date, Mode::Edit, "2008/2/30", invalid},
    });
    for (const auto& [year, leap] : std::vector<std::pair<int, bool>>{{1900, false},
                                                                      {2000, true},
                                                                      {2004, true},
                                                                      {2008, true},
                                                                      {2100, false},
                                                                      {2007, false}}) {
        EXPECT_EQ(DateValue::isLeapYear(year), leap) << year;
    }
}

TEST(ValueCheck, InitialDateIsTodayOrTheSetting) {
    Settings s;
    s.initDate = {2012, 3, 4};
    const Date today{2026, 12, 8};
    EXPECT_EQ(DateValue::initialDate(s, today), "2026/12/08");
    s.initDateType = 1;
    EXPECT_EQ(DateValue::initialDate(s, today), "2012/03/04");
}

TEST(ValueCheck, AStoredInitDateThatIsNoDateGivesTodayAsAnEmptyOneDoes) {
    const Date today{2026, 12, 8};
    const std::vector<std::pair<std::string, std::string>> cases{
        {"2008/02/29", "2008/02/29"}, {"2008/02/30", "2026/12/08"}, {"2007/02/29", "2026/12/08"},
        {"garbage", "2026/12/08"},    {"", "2026/12/08"},           {"1960/01/01", "2026/12/08"},
        {"2037/12/31", "2037/12/31"}, {"2012/13/01", "2026/12/08"}, {"2012/00/10", "2026/12/08"},
    };
    for (const auto& [stored, expected] : cases) {
        TempDir dir;
        SettingsStore store(dir.write("Nomira.ini", crlfLines({"[SYSTEM]", "InitDateType=1",
                                                               "InitDate=" + stored})),
                            dir.path(), [today] { return today; });
        store.loadAll();
        EXPECT_EQ(DateValue::initialDate(store.settings(), today), expected) << stored;
    }
}

TEST(ValueCheck, TextLengthCountsCharactersAndCutsOnlyFileNamesWithTruncation) {
    const std::string a101(101, 'a');
    const std::string a100(100, 'a');
    const std::string kanji6 = sj("図面番号一覧");
    runTable({
        {"101 characters, digits not set", column(Text), Mode::Import, a101, invalid},
        {"file-name column with alignment 0", fileNameColumn(0, 0), Mode::Import, a101, a100},
        {"file-name column with alignment 1", fileNameColumn(0, 1), Mode::Import, a101, invalid},
        {"double-byte characters count once", column(Text, 6), Mode::Import, kanji6, kanji6},
        {"cut between characters", fileNameColumn(5, 0), Mode::Import, kanji6, sj("図面番号一")},
        {"trail byte 0x5C is part of its character", column(Text, 3), Mode::Import, sj("ソソソ"),
         sj("ソソソ")},
        {"edit always cuts", fileNameColumn(0, 2), Mode::Edit, a101, a100},
        {"carriage return ends the value", column(Text), Mode::Import, "ab\rcd", "ab"},
        {"paper size up to 100 bytes, untrimmed", column(Paper), Mode::Import, " A4 ", " A4 "},
        {"paper size of 101 bytes", column(Paper), Mode::Import, a101, invalid},
        {"unknown column type", column(7), Mode::Import, "x", invalid},
    });
}

TEST(ValueCheck, TextRestrictionsTellHalfWidthFromFullWidth) {
    const ColumnDef noForbidden = restricted({0, 0, 0, 1, 0});
    const ColumnDef noHalfDigits = restricted({2, 0, 0, 0, 0});
    const ColumnDef noFullDigits = restricted({3, 0, 0, 0, 0});
    const ColumnDef noUpper = restricted({0, 1, 0, 0, 0});
    const ColumnDef noLower = restricted({0, 0, 1, 0, 0});
    const ColumnDef noSymbols = restricted({0, 0, 0, 0, 1});
    runTable({
        {"half-width slash", noForbidden, Mode::Import, "a/b", invalid},
        {"full-width slash", noForbidden, Mode::Import, sj("a／b"), invalid},
        {"no forbidden character", noForbidden, Mode::Import, "ab", "ab"},
        {"half-width digits refused", noHalfDigits, Mode::Import, "12", invalid},
        {"full-width digits allowed", noHalfDigits, Mode::Import, sj("１２"), sj("１２")},
        {"full-width digits refused", noFullDigits, Mode::Import, sj("１２"), invalid},
        {"half-width digits allowed", noFullDigits, Mode::Import, "12", "12"},
        {"full-width capital", noUpper, Mode::Import, sj("Ａ"), invalid},
        {"lower-case letters pass the upper-case rule", noUpper, Mode::Import, "abc", "abc"},
        {"lower-case letter", noLower, Mode::Import, "aB", invalid},
        {"half-width symbol", noSymbols, Mode::Import, "a#b", invalid},
        {"full-width symbol", noSymbols, Mode::Import, sj("＃"), invalid},
        {"katakana and kanji are in no class", noSymbols, Mode::Import, sj("ｱｲ漢字"), sj("ｱｲ漢字")},
        {"text after a carriage return is not tested", noHalfDigits, Mode::Edit, "ab\r12", "ab"},
        // Trail bytes that look like ASCII never match a single-byte class.
        {"trail byte \\ (ソ 0x835C)", noForbidden, Mode::Import, sj("ソ表"), sj("ソ表")},
        {"trail byte | (ポ 0x837C)", noForbidden, Mode::Import, sj("ポ"), sj("ポ")},
        {"trail byte A (ア 0x8341)", noUpper, Mode::Import, sj("ア"), sj("ア")},
        {"trail byte a (ヂ 0x8361)", noLower, Mode::Import, sj("ヂ"), sj("ヂ")},
        {"trail byte [ (ー 0x815B)", noSymbols, Mode::Import, sj("ー"), sj("ー")},
        {"trail byte @ (full-width blank 0x8140)", noSymbols, Mode::Import, sj("　"), sj("　")},
    });
}

TEST(ValueCheck, MalformedRestrictionFailsEveryTextValue) {
    ColumnDef c = column(Text);
    c.malformedRestriction = "0.0.0.0.";
    for (const Mode mode : {Mode::Import, Mode::Edit}) {
        const auto result = mode == Mode::Import ? ValueCheck::importValue(c, "abc", kInitial)
                                                 : ValueCheck::editValue(c, "abc");
        EXPECT_FALSE(result.valid);
        EXPECT_TRUE(result.restrictionMalformed);
    }
    // Only text columns are tested against a restriction.
    c.type = Integer;
    EXPECT_TRUE(ValueCheck::importValue(c, "12", kInitial).valid);
}

TEST(ValueCheck, BytesThatAreNotCp932TextAreInvalid) {
    for (const std::string& bad : {std::string("a\0b", 3), std::string("\x80"), std::string("\xFF"),
                                   std::string("ab\x82"), std::string("\x82\x20")}) {
        EXPECT_FALSE(ValueCheck::isCleanText(bad)) << u8(bad);
        EXPECT_FALSE(run({"text", column(Text), Mode::Import, bad, {}}).has_value());
        EXPECT_FALSE(run({"paper", column(Paper), Mode::Import, bad, {}}).has_value());
    }
    EXPECT_TRUE(ValueCheck::isCleanText(sj("ｱ漢字abc")));
}

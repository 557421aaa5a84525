#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One column of a template file written for a test.
struct FixtureColumn {
    std::string name; // UTF-8
    int type = 1;
    int load = 0;
    bool fileName = false;
    int sort1 = 0;
    int sort2 = 0;
    int digits = 0;
    int decimals = 0;
    int alignment = 0;
    std::string restriction = "0.0.0.0.0.";
    bool hidden = false;
};

// A rename list file: the UTF-8 lines converted to cp932, each ended with "\r\n".
std::string renameListCsv(std::initializer_list<std::string_view> utf8Lines);
// n lines made by line(i) for i = 1..n (cp932 as given), each ended with "\r\n".
std::string renameListCsvOf(int n, std::string (*line)(int));

// The text of a template file (cp932) with the given columns, as the template editor writes it.
std::string renameListTemplate(const std::vector<FixtureColumn>& columns,
                               bool rememberWidths = false);

// A template of the given number of columns (TYPE elements) with a single name: the names are made
// up to the columns, so it is the TYPE list that makes a template wide.
std::string templateOfColumns(int columns);

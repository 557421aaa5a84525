#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Command lines spelled as one text, taken apart and put together with the quoting rules of the
// Windows shell's command-line splitter, so that command texts written in that form (a quoted
// program path followed by quoted arguments) start the same program with the same arguments.
//
// The text must be ASCII-transparent (UTF-8): a multi-byte character never contains a byte that
// looks like a blank, a quote or a backslash. cp932 texts are converted before splitting.
class CommandLineSplitter {
public:
    // The argument vector of a command line; an empty text gives no arguments.
    //  - The program name (first argument) ends at the next blank, or, when it starts with a
    //    quote, at the next quote; backslashes in it are plain characters.
    //  - In the other arguments, blanks (space, tab) separate arguments outside quotes;
    //    2n backslashes before a quote give n backslashes and the quote toggles quoting;
    //    2n+1 backslashes before a quote give n backslashes and a literal quote; backslashes
    //    not before a quote are plain; of consecutive quotes every third gives a literal quote,
    //    so "" inside quotes gives a quote and ends the quoted part.
    static std::vector<std::string> split(std::string_view commandLine);

    // The command line that split() turns back into exactly these arguments, each one quoted:
    // "\"program\" \"arg1\" ...". Nothing when there are no arguments or the program name
    // contains a quote (the rules give no way to write one there).
    static std::optional<std::string> join(const std::vector<std::string>& arguments);
};

#pragma once

#include <optional>
#include <string>
#include <vector>

// The command line of nomira-cli: global options, then the command and its arguments.
struct CliOptions {
    std::optional<std::string> dataFolder; // UTF-8, as given
    bool json = false;
    bool agree = false; // --yes
    bool help = false;
    bool version = false;
    std::vector<std::string> command; // command word(s) and arguments

    // Nothing on a usage error; the reason is put into error.
    static std::optional<CliOptions> parse(int argc, char* argv[], std::string& error);
    static const char* usage();
};

#pragma once

#include <string>

// Runs the nomira-cli binary named by $NOMIRA_CLI with the given arguments (already quoted for
// the shell) and a registry store of the test's choosing; standard error is dropped.
struct CliRun {
    int status = -1;
    std::string out;
};

CliRun runNomiraCli(const std::string& arguments,
                    const std::string& registry = "/nonexistent/registry.ini");
// 'text', for building argument strings.
std::string shellQuote(const std::string& text);

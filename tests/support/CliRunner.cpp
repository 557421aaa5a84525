#include "support/CliRunner.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

CliRun runNomiraCli(const std::string& arguments, const std::string& registry) {
    const char* binary = std::getenv("NOMIRA_CLI");
    const std::string command = "NOMIRA_REGISTRY=" + shellQuote(registry) + " " +
                                shellQuote(binary ? binary : "nomira-cli") + " " + arguments +
                                " 2>/dev/null";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string shellQuote(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

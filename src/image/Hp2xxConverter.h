#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Runs the outside HP-GL/2 converter hp2xx on a plot file and collects the PNG pages it writes
// beside the input: "<folder>/<base>.png" (or "<base><ext>.png" for an extension of five or more
// characters with its dot), then "<...>.1.png", "<...>.2.png" and so on.
//
// Results: 0 success, 1 input missing, 3 converter missing, 6 converter not started, -1 no output.
// Paths are cp932.
class Hp2xxConverter {
public:
    static constexpr int kPolls = 32;
    static constexpr const char* kProgramName = "hp2xx";

    // The converter is looked for in programFolder first, then along PATH. It runs with
    // workingFolder (the data folder) as its working folder.
    Hp2xxConverter(std::string programFolder, std::string workingFolder,
                   std::chrono::milliseconds pollInterval = std::chrono::seconds(1));

    std::optional<std::string> locate() const;

    static std::string commandLine(const std::string& converter, const std::string& input);
    // Output number 0 is the first page, 1.. the further pages.
    static std::string outputPath(const std::string& input, int number);

    // Converts and deletes the outputs; pageCount is the number of pages found.
    int count(const std::string& input, int& pageCount) const;
    // Converts and moves the outputs to the preview names of imageFileName in tempFolder, in page
    // order; files receives their names (without folder).
    int convert(const std::string& input, const std::string& tempFolder,
                const std::string& imageFileName, int& pageCount,
                std::vector<std::string>& files) const;

private:
    int run(const std::string& input) const;
    void pause() const;

    std::string m_programFolder;
    std::string m_workingFolder;
    std::chrono::milliseconds m_pollInterval;
};

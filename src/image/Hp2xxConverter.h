#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Runs the outside HP-GL/2 converter hp2xx on a plot file and collects the PNG pages it writes
// beside its input: "<folder>/<base>.png" (or "<base><ext>.png" for an extension of five or more
// characters with its dot), then "<...>.1.png", "<...>.2.png" and so on.
//
// The converter never sees the plot's own folder: it runs in a private folder under the temp
// folder, on a link to the plot of the plot's name, so that its pages are written there. Only what
// it wrote there is counted, moved or removed; the operator's files beside the plot (whatever
// their names) are never touched, and the private folder goes when the run is over.
//
// Results: 0 success, 1 input missing, 3 converter missing, 6 converter not started, -1 no output.
// Paths are cp932.
class Hp2xxConverter {
public:
    static constexpr int kPolls = 32;
    static constexpr const char* kProgramName = "hp2xx";

    // The converter is looked for in programFolder first, then along PATH. Its private folders are
    // made in the temp folder of dataFolder.
    Hp2xxConverter(std::string programFolder, std::string dataFolder,
                   std::chrono::milliseconds pollInterval = std::chrono::seconds(1));

    std::optional<std::string> locate() const;

    // The argument vector (file-system spelling) that starts converter on input:
    // converter -n on -N on -c 11111111 -m png input.
    static std::vector<std::string> arguments(const std::string& converter,
                                              const std::string& input);
    // Output number 0 is the first page, 1.. the further pages.
    static std::string outputPath(const std::string& input, int number);

    // Converts and counts the pages it wrote; pageCount is the number found.
    int count(const std::string& input, int& pageCount) const;
    // Converts and moves the outputs to the preview names of imageFileName in tempFolder, in page
    // order; files receives their names (without folder).
    int convert(const std::string& input, const std::string& tempFolder,
                const std::string& imageFileName, int& pageCount,
                std::vector<std::string>& files) const;

private:
    // Converts input in a private folder and hands take each page the converter wrote there, in
    // page order, while the folder exists; take returns false when a page could not be used.
    int run(const std::string& input,
            const std::function<bool(const std::string& output)>& take) const;
    void pause() const;

    std::string m_programFolder;
    std::string m_dataFolder;
    std::chrono::milliseconds m_pollInterval;
};

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A private folder for one fuzzing or replay process, made under the system's temporary folder
// at first use and removed with everything in it when the process ends. The doors write each
// input into it as the file the program would be handed.
class FuzzScratch {
public:
    static FuzzScratch& instance();

    // The folder (cp932, which is ASCII here).
    const std::string& folder() const { return m_folder; }
    // Writes bytes as the file name in the folder (replacing the previous input of that name)
    // and returns its path.
    std::string write(std::string_view name, std::string_view bytes) const;
    std::string write(std::string_view name, const std::uint8_t* data, std::size_t size) const;
    // Removes everything in the folder that an input left behind.
    void clear() const;

    FuzzScratch(const FuzzScratch&) = delete;
    FuzzScratch& operator=(const FuzzScratch&) = delete;

private:
    FuzzScratch();
    ~FuzzScratch();

    std::string m_folder;
};

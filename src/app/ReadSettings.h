#pragma once

#include <string>

class ProfileFile;

// The settings of reading the sheet: section READ of the settings file (MinScore, the least
// score whose suggestion is preset for assignment; Languages, the text engine's languages). The
// workers come from the worker pool (Threads of section WORK).
struct ReadSettings {
    double minScore = 0.90;
    std::string languages = "jpn+eng";

    // Absent, empty or unusable values read as their defaults; a score outside 0 to 1 is cut to
    // that range, and languages are plain names joined by "+".
    static ReadSettings load(const ProfileFile& settings);
    // A MinScore text as a score, or the default when it is no number.
    static double parseScore(const std::string& text);
};

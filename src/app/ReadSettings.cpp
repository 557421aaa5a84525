#include "app/ReadSettings.h"

#include "base/ProfileFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool plainLanguages(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '+';
    });
}

} // namespace

double ReadSettings::parseScore(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(value)) {
        return ReadSettings{}.minScore;
    }
    return std::clamp(value, 0.0, 1.0);
}

ReadSettings ReadSettings::load(const ProfileFile& settings) {
    ReadSettings s;
    s.minScore = parseScore(settings.readString("READ", "MinScore", "0.90"));
    const std::string languages = settings.readString("READ", "Languages", s.languages);
    if (plainLanguages(languages)) {
        s.languages = languages;
    }
    return s;
}

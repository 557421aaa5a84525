#include "image/PaperSize.h"

#include "base/TextCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

const PaperSize::Entry PaperSize::kTable[kEntryCount] = {
    {"A0", 841, 1189}, {"B1", 728, 1030}, {"A1", 594, 841}, {"B2", 515, 728}, {"A2", 420, 594},
    {"B3", 364, 515},  {"A3", 297, 420},  {"B4", 257, 364}, {"A4", 210, 297}, {"B5", 182, 257},
};

namespace {

// In 64 bits: a measured side or a stored margin may be anywhere in the range of int.
bool within(std::int64_t measured, std::int64_t nominal, std::int64_t margin) {
    return std::abs(measured - nominal) <= margin;
}

} // namespace

std::string PaperSize::classify(int widthMm, int heightMm, int margin) {
    static const std::string portrait = textcodec::utf8ToCp932(" 縦");
    static const std::string landscape = textcodec::utf8ToCp932(" 横");
    const bool isPortrait = widthMm <= heightMm;
    for (const Entry& e : kTable) {
        const bool match =
            isPortrait
                ? within(widthMm, e.shortSide, margin) && within(heightMm, e.longSide, margin)
                : within(heightMm, e.shortSide, margin) && within(widthMm, e.longSide, margin);
        if (match) {
            return std::string(e.name) + (isPortrait ? portrait : landscape);
        }
    }
    return unfixed();
}

std::string PaperSize::describe(int widthMm, int heightMm, int margin) {
    static const std::string width = textcodec::utf8ToCp932(" (幅 ");
    static const std::string height = textcodec::utf8ToCp932("mm×高さ ");
    return classify(widthMm, heightMm, margin) + width + std::to_string(widthMm) + height +
           std::to_string(heightMm) + "mm)";
}

std::string PaperSize::unfixed() {
    static const std::string text = textcodec::utf8ToCp932("不定形");
    return text;
}

bool PaperSize::isOverA0(int widthMm, int heightMm, int margin) {
    const std::int64_t m = margin;
    return (widthMm > m + 841 || heightMm > m + 1189) && (widthMm > m + 1189 || heightMm > m + 841);
}

bool PaperSize::needsMagnifiedPreview(const std::string& paperSizeText) {
    const std::string_view text(paperSizeText);
    for (const char* prefix : {"A0", "A1", "A2", "B0", "B1", "B2", "B3"}) {
        if (text.substr(0, 2) == prefix) {
            return true;
        }
    }
    return false;
}

std::string PaperSize::sizeClass(const std::string& paperText) {
    if (paperText.find_first_not_of(" \t") == std::string::npos) {
        return {};
    }
    for (const Entry& e : kTable) {
        if (paperText.find(e.name) != std::string::npos) {
            return e.name;
        }
    }
    return unfixed();
}

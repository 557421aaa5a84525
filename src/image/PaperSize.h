#pragma once

#include <string>

// Standard paper sizes and the classification of a page measured in millimetres. The table is
// searched from the largest size down; the first size within the margin wins. Texts are cp932.
class PaperSize {
public:
    struct Entry {
        const char* name;
        int shortSide;
        int longSide;
    };
    static constexpr int kEntryCount = 10;
    static const Entry kTable[kEntryCount];

    // "A3 縦" / "A3 横" for a page within margin mm of a table size, else "不定形".
    static std::string classify(int widthMm, int heightMm, int margin);
    // The classification followed by " (幅 %dmm×高さ %dmm)", as the preview pane shows it.
    static std::string describe(int widthMm, int heightMm, int margin);
    // The size class of a paper-size text: the first table size it names ("A1"), "不定形" for
    // any other text, empty for a blank one. Orientation and dimensions are left aside.
    static std::string sizeClass(const std::string& paperText);
    // "不定形": a page of no standard size, and the size of every HP-GL2 file.
    static std::string unfixed();

    // Larger than A0 (plus the margin) in both orientations.
    static bool isOverA0(int widthMm, int heightMm, int margin);

    // The sizes whose pages also get a magnified preview: A0, A1, A2, B0, B1, B2, B3.
    static bool needsMagnifiedPreview(const std::string& paperSizeText);
};

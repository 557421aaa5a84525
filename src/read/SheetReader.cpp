#include "read/SheetReader.h"

#include "read/CodeScanner.h"
#include "read/SheetPage.h"
#include "read/TextRecogniser.h"

#include <leptonica/allheaders.h>

#include <cctype>
#include <utility>

namespace {

// Pages finer than this are read at half their resolution: the text is large enough, and the
// engine takes a quarter of the time.
constexpr int kHalveAboveDpi = 360;
constexpr int kLegibleConfidence = 55;
constexpr int kLegibleCharacters = 4;

// The region ready for the text engine: turned upright, straightened when it leans, halved
// when it is fine.
PixHandle prepared(const PixHandle& cut, int quarterTurns, int dpi) {
    PixHandle pix(quarterTurns == 0 ? pixClone(cut.get()) : pixRotateOrth(cut.get(), quarterTurns));
    if (!pix) {
        return pix;
    }
    if (dpi > kHalveAboveDpi) {
        PixHandle half(pixGetDepth(pix.get()) == 1 ? pixScaleToGray2(pix.get())
                                                   : pixScaleAreaMap2(pix.get()));
        if (half) {
            pixSetResolution(half.get(), dpi / 2, dpi / 2);
            pix = std::move(half);
        }
    }
    PixHandle straight(pixDeskew(pix.get(), 0));
    return straight ? std::move(straight) : std::move(pix);
}

} // namespace

SheetReader::SheetReader(Options options) : m_options(std::move(options)) {
}

ReadRegion SheetReader::defaultRegion() {
    return {0.55, 0.70, 1.0, 1.0};
}

ReadRegion SheetReader::onStoredPage(const ReadRegion& r, int quarterTurns) {
    switch (((quarterTurns % 4) + 4) % 4) {
    case 1:
        return {r.top, 1.0 - r.right, r.bottom, 1.0 - r.left};
    case 2:
        return {1.0 - r.right, 1.0 - r.bottom, 1.0 - r.left, 1.0 - r.top};
    case 3:
        return {1.0 - r.bottom, r.left, 1.0 - r.top, r.right};
    default:
        return r;
    }
}

bool SheetReader::legible(const std::string& text, int confidence) {
    int characters = 0;
    for (unsigned char c : text) {
        // Letters and digits, and the lead bytes of multi-byte characters.
        if (std::isalnum(c) != 0 || c >= 0xC0) {
            ++characters;
        }
    }
    return characters >= kLegibleCharacters && confidence >= kLegibleConfidence;
}

SheetReading SheetReader::read(const std::string& path,
                               const std::vector<ReadRegion>& regions) const {
    SheetReading reading;
    std::vector<ReadRegion> cuts;
    const bool withText = !m_options.languages.empty() && !regions.empty();
    if (withText) {
        for (int turn = 0; turn < 4; ++turn) {
            for (const ReadRegion& r : regions) {
                cuts.push_back(onStoredPage(r, turn));
            }
        }
    }
    SheetPage page;
    reading.failure = page.load(path, cuts);
    if (reading.failed()) {
        return reading;
    }
    reading.codes = CodeScanner::scan(page.grey().data(), page.greyWidth(), page.greyHeight(),
                                      page.greyWidth());
    if (!withText) {
        return reading;
    }
    TextRecogniser& engine = TextRecogniser::forThisThread(m_options.dataPath, m_options.languages);
    if (!engine.ready()) {
        return reading;
    }
    const std::size_t perTurn = regions.size();
    int bestConfidence = -1;
    for (int turn = 0; turn < 4; ++turn) {
        std::string text;
        int confidenceSum = 0;
        for (std::size_t i = 0; i < perTurn; ++i) {
            const PixHandle& cut = page.region(std::size_t(turn) * perTurn + i);
            if (!cut) {
                continue;
            }
            const PixHandle ready = prepared(cut, turn, page.dpi());
            int confidence = 0;
            const std::string part = engine.recognise(ready.get(), confidence);
            if (!part.empty()) {
                text += (text.empty() ? "" : " ") + part;
                confidenceSum += confidence;
            }
        }
        const int confidence = static_cast<int>(confidenceSum / static_cast<int>(perTurn));
        if (legible(text, confidence)) {
            reading.text = std::move(text);
            reading.quarterTurns = turn;
            return reading;
        }
        if (confidence > bestConfidence && turn == 0) {
            bestConfidence = confidence;
            reading.text = text;
        }
    }
    return reading;
}

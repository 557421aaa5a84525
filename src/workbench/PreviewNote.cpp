#include "workbench/PreviewNote.h"

#include "base/TextCodec.h"
#include "image/ImageProbe.h"

#include <algorithm>

namespace {

// " (幅 %dmm×高さ %dmm、%ddpi)": the page as measured; the resolution only when the file
// states one.
std::string measured(const PageFacts& page) {
    std::string out =
        " (幅 " + std::to_string(page.widthMm) + "mm×高さ " + std::to_string(page.heightMm) + "mm";
    const int dpi = std::max(page.xDpi, page.yDpi);
    if (dpi > 0) {
        out += "、" + std::to_string(dpi) + "dpi";
    }
    return out + ")";
}

} // namespace

std::string PreviewNote::forFile(const std::string& path, ImageType type,
                                 const ImageSettings& settings) {
    const ImageFacts facts = ImageProbe(settings).inspect(path, type);
    return text(ImageCheck::refusal(type, facts.pages, settings.margin));
}

std::string PreviewNote::text(const ImageCheck::Refusal& refusal) {
    using Reason = ImageCheck::Reason;
    std::string utf8;
    switch (refusal.reason) {
    case Reason::None:
        utf8 = "ﾌﾟﾚﾋﾞｭｰを作成できませんでした。";
        break;
    case Reason::NoPages:
        utf8 = "画像を読込めないため、ﾌﾟﾚﾋﾞｭｰを作成できません。";
        break;
    case Reason::ResolutionTooHigh:
        utf8 = "解像度が600dpiを超えるため、ﾌﾟﾚﾋﾞｭｰを作成できません。" + measured(refusal.page);
        break;
    case Reason::TooSmall:
        utf8 = "30×40mmより小さいため、ﾌﾟﾚﾋﾞｭｰを作成できません。" + measured(refusal.page);
        break;
    case Reason::LargerThanA0:
        utf8 = "A0より大きいため、ﾌﾟﾚﾋﾞｭｰを作成できません。" + measured(refusal.page);
        break;
    case Reason::LongerThanRoll:
        utf8 =
            "幅914mm・長さ15000mmを超えるため、ﾌﾟﾚﾋﾞｭｰを作成できません。" + measured(refusal.page);
        break;
    }
    return textcodec::utf8ToCp932(utf8);
}

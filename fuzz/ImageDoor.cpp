// The image door: one file of the kind this program was built for (NOMIRA_FUZZ_IMAGE_KIND),
// probed (measured and checked) as the image list does, then made into its preview files as the
// preview pane does. Nothing an input makes is kept: the scratch folder is emptied after each.

#include "FuzzScratch.h"

#include "image/ImageProbe.h"
#include "image/ImageSettings.h"
#include "image/PreviewMaker.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace {

struct Kind {
    ImageType type;
    const char* fileName;
};

constexpr Kind kKinds[] = {
    {ImageType::Tiff, "page.tif"},
    {ImageType::Jpeg, "page.jpg"},
    {ImageType::Pdf, "page.pdf"},
    {ImageType::HpGl2, "page.plt"},
};

constexpr Kind kKind = kKinds[NOMIRA_FUZZ_IMAGE_KIND];

ImageSettings doorSettings(const std::string& folder) {
    ImageSettings s;
    s.extensions.push_back("PLT");
    s.dataFolder = folder;
    s.tempFolder = folder + "/temp";
    s.programFolder = folder;
    // The plot converter is polled often, so that a plot it cannot read costs little time.
    s.converterPoll = std::chrono::milliseconds(5);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzScratch& scratch = FuzzScratch::instance();
    static const ImageSettings settings = doorSettings(scratch.folder());
    const std::string path = scratch.write(kKind.fileName, data, size);
    ImageProbe(settings).inspect(path, kKind.type);
    PreviewMaker(settings).make(path, kKind.type);
    scratch.clear();
    return 0;
}

#include "image/TiffPageReducer.h"

#include "image/AreaReducer.h"
#include "image/BilevelThinner.h"
#include "image/BitmapFileType.h"
#include "image/ImageLibraryFiles.h"
#include "image/TiffColourRows.h"
#include "image/TiffG4Writer.h"
#include "image/TiffRgbWriter.h"
#include "image/TiffRowReader.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Thinned copies are kept within this many pixels a side.
constexpr std::uint32_t MaxThinnedSide = 32768;

struct ThinnedCopy {
    ThinnedCopy(const TiffPageTags& tags, std::uint32_t thinStep)
        : step(thinStep), thinner(tags.width, thinStep) {}
    std::uint32_t step;
    BilevelThinner thinner;
    TiffG4Writer writer;
};

struct AveragedCopy {
    AveragedCopy(const TiffPageTags& tags, int channels, std::uint32_t factor)
        : reducer(tags.width, tags.height, channels, factor) {}
    AreaReducer reducer;
    TiffRgbWriter writer;
};

std::uint32_t thinningStep(const TiffPageTags& tags, int factor) {
    const std::uint32_t longest = std::max(tags.width, tags.height);
    return std::max<std::uint32_t>(static_cast<std::uint32_t>(factor),
                                   (longest + MaxThinnedSide - 1) / MaxThinnedSide);
}

// One new temporary file beside each copy's target; nothing (and none left) when a folder cannot
// take one.
std::optional<std::vector<std::string>>
temporariesFor(const std::vector<ImageLibrary::Reduction>& copies) {
    std::vector<std::string> temporaries;
    for (const ImageLibrary::Reduction& copy : copies) {
        auto temporary = ImageLibraryFiles::temporaryBeside(copy.target);
        if (!temporary) {
            std::error_code error;
            for (const std::string& made : temporaries) {
                std::filesystem::remove(made, error);
            }
            return std::nullopt;
        }
        temporaries.push_back(std::move(*temporary));
    }
    return temporaries;
}

// Renames every temporary file over its target once all were written; otherwise (or when a rename
// fails) removes the temporaries and whatever was already renamed.
int commitAll(const std::vector<ImageLibrary::Reduction>& copies,
              const std::vector<std::string>& temporaries, bool written, int readResult) {
    int result = written ? ImageLibrary::Success : ImageLibrary::ErrFileWrite;
    std::size_t renamed = 0;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const ImageLibrary::Reduction& copy = copies[i];
        const int committed =
            ImageLibraryFiles::commit(temporaries[i], copy.target, result == ImageLibrary::Success);
        if (committed == ImageLibrary::Success) {
            ++renamed;
        } else if (result == ImageLibrary::Success) {
            result = committed;
        }
    }
    if (result != ImageLibrary::Success) {
        std::error_code error;
        for (std::size_t i = 0; i < renamed; ++i) {
            std::filesystem::remove(copies[i].target, error);
        }
    }
    return readResult != ImageLibrary::Success ? readResult : result;
}

// Hands every row of the page, with its number, to take while the copies are being written;
// ErrFileRead when a row cannot be decoded (written is then false).
template <typename Take> int feedRows(TiffRowReader& reader, bool& written, Take&& take) {
    for (std::uint32_t y = 0; written && y < reader.tags().height; ++y) {
        const std::uint8_t* row = reader.nextRow();
        if (row == nullptr) {
            written = false;
            return ImageLibrary::ErrFileRead;
        }
        take(y, row);
    }
    return ImageLibrary::Success;
}

int thin(TiffRowReader& reader, const std::vector<ImageLibrary::Reduction>& copies) {
    const auto temporaries = temporariesFor(copies);
    if (!temporaries) {
        return ImageLibrary::ErrFileWrite;
    }
    const TiffPageTags& tags = reader.tags();
    std::vector<std::unique_ptr<ThinnedCopy>> outs;
    bool written = true;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const std::uint32_t step = thinningStep(tags, copies[i].factor);
        auto& out = outs.emplace_back(std::make_unique<ThinnedCopy>(tags, step));
        const std::uint32_t height = (tags.height + step - 1) / step;
        written = written && out->writer.open((*temporaries)[i], false) &&
                  out->writer.beginPage(TiffG4Writer::formatOf(tags, out->thinner.width(), height));
    }
    const int readResult = feedRows(reader, written, [&](std::uint32_t y, const std::uint8_t* row) {
        for (auto& out : outs) {
            if (y % out->step == 0) {
                written = written && out->writer.writeRow(out->thinner.thin(row));
            }
        }
    });
    for (auto& out : outs) {
        written = written && out->writer.endPage();
        written = out->writer.close() && written;
    }
    return commitAll(copies, *temporaries, written, readResult);
}

int average(TiffRowReader& reader, TiffColourRows& colours,
            const std::vector<ImageLibrary::Reduction>& copies) {
    const auto temporaries = temporariesFor(copies);
    if (!temporaries) {
        return ImageLibrary::ErrFileWrite;
    }
    const TiffPageTags& tags = reader.tags();
    const int channels = colours.channels();
    std::vector<std::unique_ptr<AveragedCopy>> outs;
    bool written = true;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        auto& out = outs.emplace_back(std::make_unique<AveragedCopy>(
            tags, channels, static_cast<std::uint32_t>(copies[i].factor)));
        written = written && out->writer.open((*temporaries)[i]) &&
                  out->writer.beginPage(out->reducer.width(), out->reducer.height(), tags.xDpi(),
                                        tags.yDpi());
    }
    std::vector<std::uint8_t> rgb;
    const int readResult = feedRows(reader, written, [&](std::uint32_t, const std::uint8_t* row) {
        const std::uint8_t* samples = colours.convert(row);
        for (auto& out : outs) {
            const std::uint8_t* reduced = out->reducer.add(samples);
            if (reduced != nullptr && channels == 1) {
                rgb.resize(static_cast<std::size_t>(out->reducer.width()) * 3);
                for (std::size_t x = 0; x < out->reducer.width(); ++x) {
                    rgb[3 * x] = rgb[3 * x + 1] = rgb[3 * x + 2] = reduced[x];
                }
                reduced = rgb.data();
            }
            if (reduced != nullptr) {
                written = written && out->writer.writeRow(reduced);
            }
        }
    });
    for (auto& out : outs) {
        written = out->writer.finish() && written;
    }
    return commitAll(copies, *temporaries, written, readResult);
}

} // namespace

int TiffPageReducer::reduce(const std::string& source, int page,
                            const std::vector<ImageLibrary::Reduction>& copies, Pages accepted) {
    ImageLibraryFiles::silenceLibraries();
    if (copies.empty()) {
        return ImageLibrary::ErrInvalidParameter;
    }
    for (const ImageLibrary::Reduction& copy : copies) {
        if (copy.factor < 1) {
            return ImageLibrary::ErrInvalidParameter;
        }
    }
    if (BitmapFileType::detect(source) != BitmapFileType::Tiff) {
        return ImageLibraryFiles::unrecognised(source);
    }
    TiffRowReader reader;
    if (const int result = reader.open(source, page); result != ImageLibrary::Success) {
        return result;
    }
    if (reader.tags().isStreamableBilevel()) {
        return thin(reader, copies);
    }
    TiffColourRows colours;
    if (accepted == Pages::BilevelOnly || !colours.open(reader.tags())) {
        return ImageLibrary::ErrUnsupported;
    }
    for (const ImageLibrary::Reduction& copy : copies) {
        if (static_cast<std::uint32_t>(copy.factor) > AreaReducer::MaxFactor) {
            return ImageLibrary::ErrInvalidParameter;
        }
    }
    return average(reader, colours, copies);
}

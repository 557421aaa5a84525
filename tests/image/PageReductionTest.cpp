#include "image/BilevelThinner.h"
#include "image/ImageLibrary.h"

#include "support/ImageFixtures.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <leptonica/allheaders.h>
#include <random>
#include <tiffio.h>

namespace {

using Layout = ImageFixtures::TiffLayout;
using IL = ImageLibrary;

Layout page(std::uint32_t w, std::uint32_t h, int bits, int samples, int compression,
            std::uint32_t tile = 0) {
    Layout layout;
    layout.width = w;
    layout.height = h;
    layout.bitsPerSample = bits;
    layout.samplesPerPixel = samples;
    layout.compression = compression;
    layout.xDpi = 400.0f;
    layout.yDpi = 300.0f;
    layout.tileWidth = layout.tileLength = tile;
    return layout;
}

// The mean of the factor x factor block at (x, y) of the fixture pattern, rounded, as 0xRRGGBB.
std::uint32_t blockMean(const Layout& layout, std::uint32_t x, std::uint32_t y,
                        std::uint32_t factor) {
    std::uint32_t sums[3] = {};
    for (std::uint32_t dy = 0; dy < factor; ++dy) {
        for (std::uint32_t dx = 0; dx < factor; ++dx) {
            const std::uint32_t sx = x * factor + dx;
            const std::uint32_t sy = y * factor + dy;
            std::uint32_t rgb = ImageFixtures::patternRgb(sx, sy, 0);
            if (layout.samplesPerPixel == 1) {
                rgb = ImageFixtures::patternGrey(sx, sy, 0) * 0x010101u;
            }
            for (int c = 0; c < 3; ++c) {
                sums[c] += rgb >> (16 - 8 * c) & 0xff;
            }
        }
    }
    const std::uint32_t n = factor * factor;
    std::uint32_t mean = 0;
    for (int c = 0; c < 3; ++c) {
        mean = mean << 8 | (sums[c] + n / 2) / n;
    }
    return mean;
}

class PageReductionTest : public ::testing::Test {
protected:
    std::string tiff(const std::string& name, const Layout& layout) {
        const std::string path = m_dir.file(name);
        EXPECT_TRUE(ImageFixtures::writeTiff(path, layout)) << name;
        return path;
    }
    TempDir m_dir;
};

} // namespace

TEST(BilevelThinner, PicksTheSameBitsAsAPixelByPixelLoop) {
    std::mt19937 random(7);
    for (const std::uint32_t width : {1u, 7u, 8u, 9u, 63u, 250u, 1001u}) {
        std::vector<std::uint8_t> row((width + 7) / 8);
        for (std::uint8_t& byte : row) {
            byte = static_cast<std::uint8_t>(random());
        }
        for (const std::uint32_t step : {1u, 2u, 3u, 5u, 6u, 7u, 8u, 9u, 13u, 64u, 65u, 300u}) {
            BilevelThinner thinner(width, step);
            ASSERT_EQ(thinner.width(), (width + step - 1) / step);
            const std::uint8_t* thinned = thinner.thin(row.data());
            for (std::uint32_t x = 0; x < (thinner.width() + 7) / 8 * 8; ++x) {
                const std::uint32_t from = x * step;
                const bool want = x < thinner.width() && (row[from / 8] & (0x80 >> (from % 8)));
                ASSERT_EQ((thinned[x / 8] & (0x80 >> (x % 8))) != 0, want)
                    << "width " << width << " step " << step << " x " << x;
            }
        }
    }
}

// Every decodable layout, in strips and in tiles, gives both copies from one call: 1-bit pages
// thinned, others averaged into 24-bit RGB.
TEST_F(PageReductionTest, StripsAndTilesGiveThinnedOrAveragedCopies) {
    const std::vector<std::pair<std::string, Layout>> sources = {
        {"g4 strips", page(301, 207, 1, 1, COMPRESSION_CCITTFAX4)},
        {"g4 tiles", page(301, 207, 1, 1, COMPRESSION_CCITTFAX4, 64)},
        {"raw 1-bit tiles", page(301, 207, 1, 1, COMPRESSION_NONE, 32)},
        {"grey strips", page(301, 207, 8, 1, COMPRESSION_LZW)},
        {"grey tiles", page(301, 207, 8, 1, COMPRESSION_NONE, 48)},
        {"rgb strips", page(301, 207, 8, 3, COMPRESSION_LZW)},
        {"rgb tiles", page(301, 207, 8, 3, COMPRESSION_ADOBE_DEFLATE, 128)},
        {"jpeg ycbcr strips", page(301, 207, 8, 3, COMPRESSION_JPEG)},
        {"jpeg ycbcr tiles", page(301, 207, 8, 3, COMPRESSION_JPEG, 64)},
    };
    for (const auto& [name, layout] : sources) {
        const std::string source = tiff("page.tif", layout);
        const std::string small = m_dir.file("small.png");
        const std::string half = m_dir.file("half.png");
        ASSERT_EQ(IL::reduceTiffPage(source, 1, {{6, small}, {2, half}}), IL::Success) << name;
        for (const std::uint32_t factor : {6u, 2u}) {
            const std::string copy = factor == 6 ? small : half;
            const auto facts = ImageFixtures::readTiffPages(copy);
            ASSERT_EQ(facts.size(), 1u) << name;
            EXPECT_EQ(facts[0].strips, 1) << name;
            EXPECT_FLOAT_EQ(facts[0].xResolution, 400.0f) << name;
            EXPECT_FLOAT_EQ(facts[0].yResolution, 300.0f) << name;
            if (layout.bitsPerSample == 1) {
                const std::uint32_t w = (301 + factor - 1) / factor;
                const std::uint32_t h = (207 + factor - 1) / factor;
                EXPECT_EQ(facts[0].compression, COMPRESSION_CCITTFAX4) << name;
                const auto black = ImageFixtures::readBilevelPage(copy, 1);
                ASSERT_EQ(black.size(), w * h) << name;
                for (std::uint32_t i = 0; i < black.size(); ++i) {
                    ASSERT_EQ(black[i] != 0,
                              ImageFixtures::patternBlack(i % w * factor, i / w * factor, 0))
                        << name << " factor " << factor << " pixel " << i;
                }
                continue;
            }
            const std::uint32_t w = 301 / factor;
            const std::uint32_t h = 207 / factor;
            EXPECT_EQ(facts[0].compression, COMPRESSION_ZSTD) << name;
            const auto rgb = ImageFixtures::readRgbPage(copy);
            ASSERT_EQ(rgb.size(), w * h) << name;
            // JPEG is lossy (its chroma halved): compare the mean error, and no pixel far off.
            const bool lossy = layout.compression == COMPRESSION_JPEG;
            long long error = 0;
            for (std::uint32_t i = 0; i < rgb.size(); ++i) {
                const std::uint32_t want = blockMean(layout, i % w, i / w, factor);
                for (int shift : {16, 8, 0}) {
                    const int got = static_cast<int>(rgb[i] >> shift & 0xff);
                    const int off = std::abs(got - static_cast<int>(want >> shift & 0xff));
                    error += off;
                    ASSERT_LE(off, lossy ? 64 : 0)
                        << name << " factor " << factor << " pixel " << i;
                }
            }
            EXPECT_LE(error, lossy ? 3LL * 3 * w * h : 0) << name << " factor " << factor;
        }
    }
}

TEST_F(PageReductionTest, TinyPagesAndBadArgumentsAndDamage) {
    // A side shorter than the factor averages what there is into one pixel.
    const std::string narrow = tiff("narrow.tif", page(4, 13, 8, 1, COMPRESSION_NONE));
    ASSERT_EQ(IL::reduceTiffPage(narrow, 1, {{6, m_dir.file("n.png")}}), IL::Success);
    const auto facts = ImageFixtures::readTiffPages(m_dir.file("n.png"));
    ASSERT_EQ(facts.size(), 1u);
    EXPECT_EQ(facts[0].width, 1u);
    EXPECT_EQ(facts[0].height, 2u);
    EXPECT_EQ(facts[0].samplesPerPixel, 3);

    const std::string good = tiff("good.tif", page(300, 200, 8, 3, COMPRESSION_LZW));
    const std::string cut = m_dir.file("cut.tif");
    ImageFixtures::writeTruncatedCopy(good, cut, ImageFixtures::fileSize(good) / 2);
    const std::string target = m_dir.file("out.png");
    const std::string other = m_dir.file("other.png");
    ImageFixtures::writeBytes(target, "kept");
    // 65535 bits in each of 23809 samples: a row of 23 GB, claimed in a few hundred bytes.
    const std::string samples = m_dir.file("samples.tif");
    ImageFixtures::writeClaimedSizeTiff(samples, 120, 170, 65535, 23809);
    struct Case {
        const char* name;
        std::string source;
        std::vector<IL::Reduction> copies;
        int result;
    } cases[] = {
        {"no copies", good, {}, IL::ErrInvalidParameter},
        {"factor 0", good, {{6, other}, {0, target}}, IL::ErrInvalidParameter},
        {"colour factor 258", good, {{6, other}, {258, target}}, IL::ErrInvalidParameter},
        {"missing", m_dir.file("none.tif"), {{6, target}}, IL::ErrFileNotFound},
        {"page 2", good, {{6, target}}, IL::ErrPageNotFound},
        {"cut in the data", cut, {{6, other}, {2, target}}, IL::ErrFileRead},
        {"folder missing", good, {{6, other}, {2, m_dir.file("no/x.png")}}, IL::ErrFileWrite},
        {"absurd samples", samples, {{6, other}, {2, target}}, IL::ErrImageTooLarge},
    };
    for (const Case& c : cases) {
        const int page = std::string(c.name) == "page 2" ? 2 : 1;
        EXPECT_EQ(IL::reduceTiffPage(c.source, page, c.copies), c.result) << c.name;
        // Nothing of a failed reduction is left, and nothing else was touched.
        EXPECT_EQ(ImageFixtures::fileSize(other), 0u) << c.name;
        EXPECT_EQ(ImageFixtures::fileSize(target), 4u) << c.name;
    }
}

// Leptonica reads no tiles; tiled pages are assembled row by row into the bitmap Leptonica makes of
// the same page stored in strips.
TEST_F(PageReductionTest, TiledPagesLoadLikeTheirStripStoredTwins) {
    Layout blackIsZero = page(301, 207, 1, 1, COMPRESSION_NONE);
    blackIsZero.photometric = PHOTOMETRIC_MINISBLACK;
    const std::vector<std::pair<std::string, Layout>> layouts = {
        {"g4", page(301, 207, 1, 1, COMPRESSION_CCITTFAX4)},
        {"black is zero", blackIsZero},
        {"grey", page(301, 207, 8, 1, COMPRESSION_LZW)},
        {"rgb", page(301, 207, 8, 3, COMPRESSION_ADOBE_DEFLATE)},
    };
    for (auto [name, layout] : layouts) {
        PixHandle strips;
        ASSERT_EQ(IL::loadPage(tiff("strips.tif", layout), 1, strips), IL::Success) << name;
        layout.tileWidth = layout.tileLength = 64;
        PixHandle tiles;
        ASSERT_EQ(IL::loadPage(tiff("tiles.tif", layout), 1, tiles), IL::Success) << name;
        l_int32 same = 0;
        ASSERT_EQ(pixEqual(strips.get(), tiles.get(), &same), 0) << name;
        EXPECT_EQ(same, 1) << name;
        EXPECT_EQ(tiles.bitsPerPixel(), strips.bitsPerPixel()) << name;
        EXPECT_EQ(tiles.xResolution(), 400) << name;
        EXPECT_EQ(tiles.yResolution(), 300) << name;
    }
    Layout cut = page(301, 207, 8, 3, COMPRESSION_LZW, 64);
    const std::string whole = tiff("whole.tif", cut);
    ImageFixtures::writeTruncatedCopy(whole, m_dir.file("cut.tif"),
                                      ImageFixtures::fileSize(whole) / 2);
    PixHandle none;
    EXPECT_EQ(IL::loadPage(m_dir.file("cut.tif"), 1, none), IL::ErrFileRead);
    EXPECT_FALSE(none);
}

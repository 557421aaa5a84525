#include "execute/PageJoiner.h"

#include "FailingFileChanges.h"
#include "execute/TemporaryFiles.h"
#include "image/ImageLibrary.h"
#include "support/ImageFixtures.h"
#include "support/TempDir.h"

#include "base/FileSystem.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <filesystem>
#include <functional>

namespace {

using Layout = ImageFixtures::TiffLayout;

Layout page(std::uint32_t w, std::uint32_t h, int pages, int compression, int bits = 1) {
    Layout layout;
    layout.width = w;
    layout.height = h;
    layout.pages = pages;
    layout.compression = compression;
    layout.bitsPerSample = bits;
    return layout;
}

// The compressed bytes of every strip of a page, read without decoding.
std::vector<std::string> rawStrips(const std::string& path, int page) {
    std::vector<std::string> strips;
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    if (tif == nullptr) {
        return strips;
    }
    if (TIFFSetDirectory(tif, static_cast<tdir_t>(page - 1)) == 1) {
        for (std::uint32_t s = 0; s < TIFFNumberOfStrips(tif); ++s) {
            std::string bytes(TIFFGetStrileByteCount(tif, s), '\0');
            TIFFReadRawStrip(tif, s, bytes.data(), static_cast<tmsize_t>(bytes.size()));
            strips.push_back(bytes);
        }
    }
    TIFFClose(tif);
    return strips;
}

std::vector<std::string> leftoverTemporaries(const std::string& folder) {
    std::vector<std::string> found;
    for (const std::string& name : files::listFolder(folder)) {
        if (temporaries::isTemporaryName(name)) {
            found.push_back(name);
        }
    }
    return found;
}

class PageJoinerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_sources = {tiff("a.tif", page(300, 200, 2, COMPRESSION_CCITTFAX4)),
                     tiff("b.tif", page(97, 61, 1, COMPRESSION_NONE)),
                     tiff("c.tif", page(130, 170, 3, COMPRESSION_CCITTFAX4))};
        m_store = m_dir.mkdir("store");
        m_target = files::join(m_store, "joined.tif");
    }
    std::string tiff(const std::string& name, const Layout& layout) {
        const std::string path = m_dir.file(name);
        EXPECT_TRUE(ImageFixtures::writeTiff(path, layout));
        return path;
    }
    // (source, page) of every page of the sources, in join order.
    std::vector<std::pair<std::string, int>> sourcePages() const {
        std::vector<std::pair<std::string, int>> pages;
        for (const std::string& source : m_sources) {
            const auto facts = ImageFixtures::readTiffPages(source);
            for (int p = 1; p <= static_cast<int>(facts.size()); ++p) {
                pages.emplace_back(source, p);
            }
        }
        return pages;
    }
    TempDir m_dir;
    std::vector<std::string> m_sources;
    std::vector<PageJoiner::Source> joinSources(const std::vector<std::string>& paths) const {
        std::vector<PageJoiner::Source> sources;
        for (const std::string& path : paths) {
            sources.push_back({path, 0});
        }
        return sources;
    }
    std::string m_store;
    std::string m_target;
};

TEST_F(PageJoinerTest, JoinedPagesArePixelIdenticalAndG4StripsCopiedUnchanged) {
    PosixFileChanges changes;
    ASSERT_EQ(PageJoiner(changes).join(joinSources(m_sources), m_target, false),
              ImageLibrary::Success);

    const auto joined = ImageFixtures::readTiffPages(m_target);
    const auto pages = sourcePages();
    ASSERT_EQ(joined.size(), 6u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto& [source, p] = pages[i];
        const int at = static_cast<int>(i) + 1;
        EXPECT_EQ(joined[i].compression, COMPRESSION_CCITTFAX4) << at;
        EXPECT_EQ(ImageFixtures::readBilevelPage(m_target, at),
                  ImageFixtures::readBilevelPage(source, p))
            << "page " << at;
        const auto sourceFacts = ImageFixtures::readTiffPages(source)[p - 1];
        EXPECT_EQ(joined[i].xResolution, sourceFacts.xResolution) << at;
        if (sourceFacts.compression == COMPRESSION_CCITTFAX4) {
            EXPECT_EQ(rawStrips(m_target, at), rawStrips(source, p)) << "page " << at;
        }
    }
    EXPECT_TRUE(leftoverTemporaries(m_store).empty());
}

TEST_F(PageJoinerTest, GreyPagesBecomeOneBitG4) {
    PosixFileChanges changes;
    const std::string greyPage = tiff("g.tif", page(40, 30, 1, COMPRESSION_LZW, 8));
    ASSERT_EQ(PageJoiner(changes).join(joinSources({m_sources[0], greyPage}), m_target, false),
              ImageLibrary::Success);
    const auto joined = ImageFixtures::readTiffPages(m_target);
    ASSERT_EQ(joined.size(), 3u);
    EXPECT_EQ(joined[2].bitsPerSample, 1);
    EXPECT_EQ(joined[2].compression, COMPRESSION_CCITTFAX4);
    EXPECT_EQ(joined[2].width, 40u);
}

TEST_F(PageJoinerTest, ABrokenSourceFailsTheWholeJoinLeavingEverythingAsItWas) {
    const std::string existing = "operator's old file";
    struct Case {
        const char* label;
        bool targetExists;
        bool replace;
        std::function<void(const std::string& third)> breakThird;
        int thirdListedPages = 0;
    };
    const std::vector<Case> cases = {
        {"truncated third source", false, false,
         [](const std::string& third) {
             const std::string whole = third + ".whole";
             std::filesystem::rename(third, whole);
             ImageFixtures::writeTruncatedCopy(whole, third, ImageFixtures::fileSize(whole) / 2);
         }},
        {"truncated third source, target kept", true, true,
         [](const std::string& third) {
             const std::string whole = third + ".whole";
             std::filesystem::rename(third, whole);
             ImageFixtures::writeTruncatedCopy(whole, third, 40);
         }},
        {"vanished third source", true, true,
         [](const std::string& third) { std::filesystem::remove(third); }},
        {"third source not an image", false, false,
         [](const std::string& third) { ImageFixtures::writeBytes(third, "plain text"); }},
        {"existing target without replace", true, false, [](const std::string&) {}},
        {"third source holds other pages than listed", false, false, [](const std::string&) {}, 4},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string store = dir.mkdir("store");
        const std::string target = files::join(store, "joined.tif");
        std::vector<std::string> sources;
        for (const std::string& source : m_sources) {
            sources.push_back(dir.file(files::fileName(source)));
            std::filesystem::copy_file(source, sources.back());
        }
        c.breakThird(sources[2]);
        if (c.targetExists) {
            ImageFixtures::writeBytes(target, existing);
        }
        std::vector<std::size_t> sizes;
        for (const std::string& source : sources) {
            sizes.push_back(files::exists(source) ? ImageFixtures::fileSize(source) : 0);
        }

        auto listed = joinSources(sources);
        listed[2].pages = c.thirdListedPages;
        PosixFileChanges changes;
        EXPECT_NE(PageJoiner(changes).join(listed, target, c.replace), ImageLibrary::Success)
            << c.label;
        for (std::size_t i = 0; i < sources.size(); ++i) {
            EXPECT_EQ(files::exists(sources[i]) ? ImageFixtures::fileSize(sources[i]) : 0, sizes[i])
                << c.label;
        }
        if (c.targetExists) {
            EXPECT_EQ(files::readAll(target).value_or(""), existing) << c.label;
        } else {
            EXPECT_FALSE(files::exists(target)) << c.label;
        }
        EXPECT_TRUE(leftoverTemporaries(store).empty()) << c.label;
    }
}

TEST_F(PageJoinerTest, AFailureAtAnyWriteStepLeavesTheOldTargetOrTheWholeJoin) {
    const std::string existing = "operator's old file";
    FailingFileChanges probe;
    ASSERT_EQ(PageJoiner(probe).join(joinSources(m_sources),
                                     files::join(m_dir.mkdir("probe"), "t.tif"), true),
              ImageLibrary::Success);
    const int steps = probe.operations();
    ASSERT_GT(steps, 6);
    for (int failAt = 1; failAt <= steps; ++failAt) {
        ImageFixtures::writeBytes(m_target, existing);
        FailingFileChanges failing(failAt);
        EXPECT_NE(PageJoiner(failing).join(joinSources(m_sources), m_target, true),
                  ImageLibrary::Success)
            << "step " << failAt;
        EXPECT_EQ(files::readAll(m_target).value_or(""), existing) << "step " << failAt;
        EXPECT_TRUE(leftoverTemporaries(m_store).empty()) << "step " << failAt;
        for (const std::string& source : m_sources) {
            EXPECT_TRUE(files::isRegularFile(source)) << "step " << failAt;
        }
    }
}

} // namespace

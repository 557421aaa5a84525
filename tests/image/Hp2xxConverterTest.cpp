#include "image/Hp2xxConverter.h"
#include "base/FileSystem.h"
#include "support/ImageFixtures.h"
#include "support/ScanFixtures.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;
constexpr std::chrono::milliseconds kPoll(20);

// Replaces PATH for the life of the object.
class PathOverride {
public:
    explicit PathOverride(const std::string& path) {
        if (const char* old = std::getenv("PATH")) {
            m_old = old;
        }
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathOverride() { ::setenv("PATH", m_old.c_str(), 1); }

private:
    std::string m_old;
};

} // namespace

TEST(Hp2xxConverter, OutputNamesAndCommandLine) {
    EXPECT_EQ(Hp2xxConverter::outputPath("/in/x.hpgl", 0), "/in/x.hpgl.png");
    EXPECT_EQ(Hp2xxConverter::outputPath("/in/x.hpgl", 1), "/in/x.hpgl.1.png");
    EXPECT_EQ(Hp2xxConverter::outputPath("/in/x.plt", 0), "/in/x.png");
    EXPECT_EQ(Hp2xxConverter::outputPath("/in/x.plt", 2), "/in/x.2.png");
    EXPECT_EQ(Hp2xxConverter::outputPath("/in/a.b.hp2", 0), "/in/a.b.png");
    EXPECT_EQ(Hp2xxConverter::outputPath("/in/noext", 0), "/in/noext.png");
    EXPECT_EQ(Hp2xxConverter::arguments("/usr/bin/hp2xx", "/in/x.plt"),
              (Names{"/usr/bin/hp2xx", "-n", "on", "-N", "on", "-c", "11111111", "-m", "png",
                     "/in/x.plt"}));
}

TEST(Hp2xxConverter, CountsAndConvertsThePagesOfTheRealConverter) {
    TempDir data;
    TempDir images;
    const Hp2xxConverter converter("/nonexistent", data.path(), kPoll);
    ASSERT_TRUE(converter.locate()) << "hp2xx must be installed";
    const std::string plot = images.file("drawing.hpgl");
    ScanFixtures::writePlot(plot, 2);

    int pages = 0;
    EXPECT_EQ(converter.count(plot, pages), 0);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(files::listFolder(images.path()), Names{"drawing.hpgl"});

    const std::string temp = data.mkdir("temp");
    Names moved;
    EXPECT_EQ(converter.convert(plot, temp, "drawing.hpgl", pages, moved), 0);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(moved, (Names{"drawing-hpgl-0001.png", "drawing-hpgl-0002.png"}));
    EXPECT_EQ(files::listFolder(temp), moved);
    EXPECT_EQ(data.read("temp/drawing-hpgl-0001.png").substr(1, 3), "PNG");
    EXPECT_EQ(files::listFolder(images.path()), Names{"drawing.hpgl"});
}

TEST(Hp2xxConverter, ResultCodesOfTheConverterRun) {
    TempDir data;
    TempDir images;
    TempDir program;
    const std::string plot = images.file("p.plt");
    ScanFixtures::writePlot(plot, 1);
    int pages = -1;

    EXPECT_EQ(
        Hp2xxConverter(program.path(), data.path(), kPoll).count(images.file("none.plt"), pages),
        1);
    {
        const PathOverride path("/nonexistent");
        EXPECT_EQ(Hp2xxConverter(program.path(), data.path(), kPoll).count(plot, pages), 3);
    }
    ScanFixtures::writeUnstartableConverter(program.path());
    EXPECT_EQ(Hp2xxConverter(program.path(), data.path(), kPoll).count(plot, pages), 6);

    // The program folder comes before PATH; a converter that writes nothing gives -1.
    ScanFixtures::writeConverterScript(program.path(), "exit 0");
    EXPECT_EQ(Hp2xxConverter(program.path(), data.path(), kPoll).count(plot, pages), -1);
    EXPECT_EQ(pages, 0);
}

TEST(Hp2xxConverter, RunsInAPrivateFolderOnALinkAndIsEndedAfterItsPolls) {
    TempDir data;
    TempDir images;
    TempDir program;
    const std::string plot = images.file("p.plt");
    ScanFixtures::writePlot(plot, 1);
    // Records its working folder and arguments, writes no page and never ends by itself.
    ScanFixtures::writeConverterScript(
        program.path(), "pwd > \"" + images.file("seen") + "\"\nprintf '%s\\n' \"$*\" >> \"" +
                            images.file("seen") + "\"\nexec sleep 30");
    int pages = 0;
    EXPECT_EQ(Hp2xxConverter(program.path(), data.path(), kPoll).count(plot, pages), -1);
    const std::string seen = images.read("seen");
    const std::string folder = seen.substr(0, seen.find('\n'));
    EXPECT_EQ(files::parentFolder(folder), data.file("temp"));
    EXPECT_EQ(seen, folder + "\n-n on -N on -c 11111111 -m png " + folder + "/plot/p.plt\n");
    // The private folder is gone with the run.
    EXPECT_TRUE(files::listFolder(data.file("temp"), false).empty());
}

TEST(Hp2xxConverter, TheOperatorsFilesOfEveryOutputNameStayUntouched) {
    struct Case {
        const char* plot;
        int pages;
        Names besidePlot;
    };
    const Case cases[] = {
        {"one.plt", 1, {"one.png", "one.1.png", "one.2.png"}},
        {"two.plt", 2, {"two.png", "two.1.png", "two.2.png", "two.plt.png", "hp2xx.swp"}},
        {"long.hpgl", 2, {"long.hpgl.png", "long.hpgl.1.png", "long.hpgl.2.png", "long.png"}},
        {"on.plt", 1, {"on", "on.png", "on.1.png"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plot);
        TempDir data;
        TempDir images;
        const std::string plot = images.file(c.plot);
        ScanFixtures::writePlot(plot, c.pages);
        for (const std::string& name : c.besidePlot) {
            images.write(name, "the operator's " + name);
        }
        // The command line's stray "on" words must not find a plot in the data folder either.
        ScanFixtures::writePlot(data.file("on"), 1);
        const Hp2xxConverter converter("", data.path(), kPoll);

        int pages = 0;
        EXPECT_EQ(converter.count(plot, pages), 0);
        EXPECT_EQ(pages, c.pages);
        Names moved;
        EXPECT_EQ(converter.convert(plot, data.file("temp"), c.plot, pages, moved), 0);
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(static_cast<int>(moved.size()), c.pages);

        Names expected = c.besidePlot;
        expected.push_back(c.plot);
        std::sort(expected.begin(), expected.end());
        Names listed = files::listFolder(images.path(), false);
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, expected);
        for (const std::string& name : c.besidePlot) {
            EXPECT_EQ(images.read(name), "the operator's " + name);
        }
        EXPECT_EQ(files::listFolder(data.path(), false), (Names{"on", "temp"}));
        EXPECT_EQ(files::listFolder(data.file("temp"), false), moved);
    }
}

TEST(Hp2xxConverter, AFileWhereTheOutputWouldGoNeitherBlocksNorSuffers) {
    TempDir data;
    TempDir images;
    const std::string plot = images.file("x.plt");
    ScanFixtures::writePlot(plot, 1);
    images.write("x.png", "the operator's own picture");
    int pages = 0;
    Names moved;
    EXPECT_EQ(Hp2xxConverter("", data.path(), kPoll).count(plot, pages), 0);
    EXPECT_EQ(Hp2xxConverter("", data.path(), kPoll)
                  .convert(plot, data.file("temp"), "x.plt", pages, moved),
              0);
    EXPECT_EQ(moved, Names{"x-plt-0001.png"});
    EXPECT_NE(data.read("temp/x-plt-0001.png"), "the operator's own picture");
    EXPECT_EQ(images.read("x.png"), "the operator's own picture");

    // A plot that bears its first page's name is refused rather than written over.
    ScanFixtures::writePlot(images.file("p.png"), 1);
    const std::string plotBytes = images.read("p.png");
    EXPECT_EQ(Hp2xxConverter("", data.path(), kPoll).count(images.file("p.png"), pages), -1);
    EXPECT_EQ(images.read("p.png"), plotBytes);
}

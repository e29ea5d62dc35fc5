// quarrinlayvane-cli run as a user runs it: a real process on real files.
#include "cli/CliProcess.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using cli_process::Result;
using cli_process::Slurp;
using cli_process::Spit;

// A version 1.1 map: soil in the given rectangles, then the given list lines.
std::string MapText(const std::vector<std::array<int, 4>>& soil, const std::string& lists)
{
    std::vector<std::string> columns(250, std::string(250, '0'));
    for (const auto& r : soil)
        for (int x = r[0]; x < r[0] + r[2]; ++x)
            for (int y = r[1]; y < r[1] + r[3]; ++y)
                columns[x][y] = '1';
    std::string text = "Quarrin Layvane Map File. Version 1.1\r\nGrid Size 250 * 250\r\n";
    for (const auto& c : columns)
        text += c + "\r\n";
    return text + lists;
}

class CliTest : public cli_process::CliFolderTest {};

TEST_F(CliTest, StatsPrintsThePanelTextWithChineseNamesInTheMap)
{
    // Two houses, a factory and a named hospital ("医院" in GB18030).
    Spit(dir / "town.qlm", MapText({{0, 0, 20, 20}},
                                   "Builds 4\r\n: ffffffff 0 0 3 2\r\n: ff 3 0 2 3\r\n: ffffffff 5 5 5 4\r\n" +
                                       platform::Utf8ToGb18030("医院") + ": ff1c00 12 12 3 4\r\nMarks 1\r\n5 5 5 30\r\n"));
    const Result r = Cli("stats " + P("town.qlm"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "总建筑面积: 400\n已建筑面积: 0\n可建筑面积: 400\n道路总面积: 0\n\n工厂: 1 (20)\n房屋: 2 (12)\n其他: 1 (12)\n");
}

TEST_F(CliTest, LoadProblemsGoToStandardErrorWithTheirExitStatus)
{
    Spit(dir / "nolists.qlm", MapText({}, "Nothing 3\r\n"));
    Result r = Cli("stats " + P("nolists.qlm"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Load Failed: no builds found in this document!no marks found in this document!\n");

    Spit(dir / "old.qlm", "Quarrin Layvane Map File. Version 1.1\nGrid Size 100 * 100\n");
    r = Cli("stats " + P("old.qlm"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Load Failed: this version only support size of 250, file has different size.\n");
    EXPECT_EQ(r.out, "");

    r = Cli("stats " + P("missing.qlm"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Load Failed: "), std::string::npos);

    EXPECT_EQ(Cli("stats").status, 2);
    EXPECT_EQ(Cli("stats a b").status, 2);
    EXPECT_EQ(Cli("resave " + P("old.qlm")).status, 2);
    EXPECT_EQ(Cli("frobnicate").status, 2);
    EXPECT_EQ(Cli("layout " + P("old.qlm") + " -o x --back-lines lots").status, 2);
    EXPECT_EQ(Cli("layout " + P("old.qlm") + " -o x --rect 1,2,3").status, 2);
}

TEST_F(CliTest, ResaveTurnsALegacyMapIntoTheCurrentVersion)
{
    std::string legacy = "Quarrin Layvane Map File. Version 1.0\nGrid Size 100 * 100\n";
    for (int x = 0; x < 100; ++x)
        legacy += std::string(100, x < 10 ? '1' : '0') + "\n";
    legacy += "Builds 1\nold house: 1 1 3 2\nMarks 0\n";
    Spit(dir / "legacy.qlm", legacy);
    const Result r = Cli("resave " + P("legacy.qlm") + " -o " + P("new.qlm"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string written = Slurp(dir / "new.qlm");
    EXPECT_EQ(written.rfind("Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n", 0), 0u);
    EXPECT_NE(written.find("\nBuilds 1\nold house: ffffffff 1 1 3 2\nMarks 0\n"), std::string::npos);
    // Reading what was written gives it back unchanged.
    ASSERT_EQ(Cli("resave " + P("new.qlm") + " -o " + P("again.qlm")).status, 0);
    EXPECT_EQ(Slurp(dir / "again.qlm"), written);
}

TEST_F(CliTest, RunPlaysCommandLinesAndLaysRoadsWhenAskedTo)
{
    Spit(dir / "in.qlm", MapText({{0, 0, 30, 10}}, "Builds 0\nMarks 0\n"));
    const std::string lines = "##fill road 0 10 30 1\n"  // recorded commands of the editor are not the language's
                              "build 4 6 3 2 <NULL> ffffffff\n"
                              "mark 1 1     1 9\n"
                              "\n";
    Result r = Cli("run --map " + P("in.qlm") + " --road make -o " + P("out.qlm"), lines);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "line 1: not a command: ##fill road 0 10 30 1\n");
    const std::string out = Slurp(dir / "out.qlm");
    EXPECT_NE(out.find("Builds 1\n: ffffffff 4 6 3 2\nMarks 1\n1 1 1 9\n"), std::string::npos);

    r = Cli("run --road sideways -o " + P("x.qlm"));
    EXPECT_EQ(r.status, 2);
    r = Cli("run -o " + P("empty.qlm"), "clear scene\nbuild 1 1 3 2 <NULL> ffffffff\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(Slurp(dir / "empty.qlm").find("Builds 0\n"), std::string::npos);  // no soil to build on
}

TEST_F(CliTest, RunTakesLinesThatAreNotUtf8AsGb18030Bytes)
{
    Spit(dir / "in.qlm", MapText({{0, 0, 30, 10}}, "Builds 0\nMarks 0\n"));
    const std::string hospital = platform::Utf8ToGb18030("城门");  // 0xB3 0xC7 …: not UTF-8
    const std::string lines = "build 1 1 3 4 " + hospital + " ff\n"   // a script line of the target systems
                              "build 5 1 3 4 学校 ff\n"                  // typed on our terminals
                              "\xD7\xD4\xB6\xAF 1\n";                      // not a command, told in UTF-8
    const Result r = Cli("run --map " + P("in.qlm") + " -o " + P("out.qlm"), lines);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "line 3: not a command: 自动 1\n");
    const std::string out = Slurp(dir / "out.qlm");
    EXPECT_NE(out.find("Builds 2\n" + hospital + ": ff 1 1 3 4\n" + platform::Utf8ToGb18030("学校") + ": ff 5 1 3 4\n"),
              std::string::npos);
}

TEST_F(CliTest, RunWithMakeRoadsTurnsThePlannedCellsIntoRoad)
{
    std::vector<std::array<int, 4>> soil = {{0, 0, 30, 12}};
    std::string map = MapText(soil, "Builds 0\nMarks 0\n");
    // Row 11 becomes road: column x's row 11 is at offset x * 252 + 11 in the grid text.
    const std::size_t gridStart = map.find("250\r\n") + 5;
    for (int x = 0; x < 30; ++x)
        map[gridStart + x * 252 + 11] = '3';
    Spit(dir / "in.qlm", map);
    const std::string line = "build 4 7 3 2 <NULL> ffffffff\n";
    ASSERT_EQ(Cli("run --map " + P("in.qlm") + " --road make -o " + P("make.qlm"), line).status, 0);
    ASSERT_EQ(Cli("run --map " + P("in.qlm") + " --road ignore -o " + P("ignore.qlm"), line).status, 0);
    const Result made = Cli("stats " + P("make.qlm"));
    const Result ignored = Cli("stats " + P("ignore.qlm"));
    EXPECT_NE(made.out.find("道路总面积: 36\n"), std::string::npos) << made.out;  // 30 + the two cells below each of 3 columns
    EXPECT_NE(ignored.out.find("道路总面积: 30\n"), std::string::npos) << ignored.out;
}

TEST_F(CliTest, LayoutFillsTheSoilAndReportsWhatItDid)
{
    Spit(dir / "plain.qlm", MapText({{10, 10, 5, 4}, {40, 40, 6, 2}}, "Builds 0\nMarks 0\n"));
    Result r = Cli("layout " + P("plain.qlm") + " -o " + P("laid.qlm"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("layout: region=32 covered=32 factories=1 houses=2 waste=0 ms=", 0), 0u) << r.out;
    EXPECT_NE(Slurp(dir / "laid.qlm").find("Builds 3\n: ffffffff 10 10 5 4\n: ffffffff 40 40 3 2\n: ffffffff 43 40 3 2\n"),
              std::string::npos);

    r = Cli("layout " + P("plain.qlm") + " -o " + P("part.qlm") + " --rect 40,40,6,2 --back-lines 0 --memory-mb 100");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("layout: region=12 covered=12 factories=0 houses=2 waste=0 ms=", 0), 0u) << r.out;

    // Stopped at once: the greedy fill still covers the square.
    Spit(dir / "square.qlm", MapText({{0, 0, 60, 60}}, "Builds 0\nMarks 0\n"));
    r = Cli("layout " + P("square.qlm") + " -o " + P("stopped.qlm") + " --stop-after-expansions 0");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("layout: region=3600 covered=", 0), 0u) << r.out;
    const Result again = Cli("layout " + P("square.qlm") + " -o " + P("stopped2.qlm") + " --stop-after-expansions 0");
    EXPECT_EQ(Slurp(dir / "stopped.qlm"), Slurp(dir / "stopped2.qlm"));
}

TEST_F(CliTest, OptimisedLayoutAddsItsBoundAndRepeatsWithTheSameWork)
{
    Spit(dir / "field.qlm", MapText({{10, 10, 7, 9}, {17, 12, 4, 3}}, "Builds 0\nMarks 0\n"));
    const std::string run = "layout " + P("field.qlm") + " --optimise --work 20 --threads 1 --seed 4 -o ";
    const Result r = Cli(run + P("a.qlm"));
    ASSERT_EQ(r.status, 0) << r.err;
    // A plot this small is solved whole, so its layout is proven best.
    EXPECT_EQ(r.out.rfind("layout: region=75 covered=", 0), 0u) << r.out;
    EXPECT_NE(r.out.find(" proven=yes\n"), std::string::npos) << r.out;
    const std::string waste = r.out.substr(r.out.find("waste=") + 6);
    EXPECT_NE(r.out.find(" bound=" + waste.substr(0, waste.find(' ')) + " "), std::string::npos) << r.out;
    ASSERT_EQ(Cli(run + P("b.qlm")).status, 0);
    EXPECT_EQ(Slurp(dir / "a.qlm"), Slurp(dir / "b.qlm"));

    // The optimised mode's options mean nothing without it.
    EXPECT_EQ(Cli("layout " + P("field.qlm") + " -o " + P("c.qlm") + " --time-limit 3").status, 2);
    EXPECT_EQ(Cli("layout " + P("field.qlm") + " -o " + P("c.qlm") + " --optimise --threads 0").status, 2);
}

TEST_F(CliTest, RenderWritesAPictureOfTheWholeMap)
{
    Spit(dir / "plain.qlm", MapText({{10, 10, 5, 4}}, "Builds 0\nMarks 0\n"));
    Result r = Cli("render " + P("plain.qlm") + " -o " + P("map.png") + " --cell 2");
    if (r.status == 2 && r.err.find("no drawing") != std::string::npos)
        GTEST_SKIP() << "this build has no drawing";
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string png = Slurp(dir / "map.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const auto bigEndian = [&png](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(bigEndian(16), 250u * 2 + 50);  // the map and the margin of the edge numbers
    EXPECT_EQ(bigEndian(20), 250u * 2 + 50);

    EXPECT_EQ(Cli("render " + P("plain.qlm") + " -o " + P("x.png") + " --cell 1").status, 2);
    EXPECT_EQ(Cli("render " + P("plain.qlm") + " -o " + P("x.png") + " --cell 9999999999").status, 2);
    EXPECT_EQ(Cli("render " + P("missing.qlm") + " -o " + P("x.png")).status, 1);
    EXPECT_FALSE(fs::exists(dir / "x.png"));
}

}  // namespace

// "quarrinlayvane-cli play" run as a user runs it: a real process on real files.
#include "cli/CliProcess.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

// A version 1.1 map whose first `soilColumns` columns have soil in rows 0 … 9,
// and with `withRoad` a road below it in row 10.
std::string SoilMap(int soilColumns, bool withRoad = false)
{
    std::string text = "Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n";
    for (int x = 0; x < 250; ++x)
        text += (x < soilColumns ? std::string(10, '1') + (withRoad ? "3" : "0") + std::string(239, '0')
                                 : std::string(250, '0')) +
                "\n";
    return text + "Builds 0\nMarks 0\n";
}

std::size_t RoadCells(const std::string& map)
{
    const std::string grid = map.substr(0, map.find("Builds"));
    return static_cast<std::size_t>(std::count(grid.begin(), grid.end(), '3'));
}

std::string Script(const std::string& pre, const std::string& start)
{
    return "QuarrinLayvane Demo Script File. Version 1.0\n>title t\n>pre\n" + pre + ">start\n" + start + ">end\n";
}

class CliPlayTest : public cli_process::CliFolderTest {};

}  // namespace

TEST_F(CliPlayTest, ScriptPlaysToTheMapItsLinesBuildWithRoadsMade)
{
    Spit(dir / "base.qlm", SoilMap(30, true));
    const std::string lines = "build 4 4 3 2 <NULL> ffffffff\nmark 1 1     1 9\n";
    Spit(dir / "show.qld", Script(",load base\n,say hello\n",
                                  ",say %<b>page</b>\n.build 4 4 3 2 <NULL> ffffffff\n.sleep 100\n.mark 1 1     1 9\n"));
    Result r = Cli("play " + P("show.qld") + " -o " + P("played.qlm"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // The player makes roads for its buildings, as "run --road make" does.
    ASSERT_EQ(Cli("run --map " + P("base.qlm") + " --road make -o " + P("run.qlm"), lines).status, 0);
    const std::string played = Slurp(dir / "played.qlm");
    EXPECT_NE(played.find("Builds 1\n: ffffffff 4 4 3 2\nMarks 1\n1 1 1 9\n"), std::string::npos);
    EXPECT_EQ(played, Slurp(dir / "run.qlm"));
    EXPECT_GT(RoadCells(played), RoadCells(SoilMap(30, true)));
    // Nothing shows captions here, so no caption page is written beside the script.
    EXPECT_FALSE(fs::exists(dir / "quarrindemosay.html"));
}

TEST_F(CliPlayTest, MapsComeFromTheScriptsFolderThenTheProgramsMapFolder)
{
    Spit(dir / "town.qld", Script("", ".load town\n"));
    ASSERT_EQ(Cli("play " + P("town.qld") + " -o " + P("out.qlm")).status, 0);
    ASSERT_EQ(Cli("resave '" + (fs::path(QL_CLI_PATH).parent_path() / "map" / "town.qlm").string() + "' -o " +
                  P("expected.qlm"))
                  .status,
              0);
    EXPECT_EQ(Slurp(dir / "out.qlm"), Slurp(dir / "expected.qlm"));

    Spit(dir / "town.qlm", SoilMap(3));
    ASSERT_EQ(Cli("play " + P("town.qld") + " -o " + P("out.qlm")).status, 0);
    EXPECT_EQ(Slurp(dir / "out.qlm"), SoilMap(3));
}

TEST_F(CliPlayTest, SampleDemonstrationsPlayToTheirEnd)
{
    // A copy, so the caption pages they write stay out of the program folder.
    fs::copy(fs::path(QL_CLI_PATH).parent_path() / "demo", dir / "demo", fs::copy_options::recursive);
    int played = 0;
    for (const auto& entry : fs::directory_iterator(dir / "demo")) {
        if (entry.path().extension() != ".qld")
            continue;
        const Result r = Cli("play '" + entry.path().string() + "' -o " + P("out.qlm"));
        EXPECT_EQ(r.status, 0) << entry.path();
        EXPECT_EQ(r.err, "") << entry.path();
        ++played;
    }
    EXPECT_GE(played, 2);
}

TEST_F(CliPlayTest, ScriptsThatCannotBePlayedFailWithoutWriting)
{
    Spit(dir / "keep.qlm", "the user's file");
    const auto failsAndKeeps = [&](const std::string& script, const std::string& expected) {
        const Result r = Cli("play " + P(script) + " -o " + P("keep.qlm"));
        EXPECT_EQ(r.status, 1) << script;
        EXPECT_NE(r.err.find(expected), std::string::npos) << script << ": " << r.err;
        EXPECT_EQ(Slurp(dir / "keep.qlm"), "the user's file") << script;
    };
    failsAndKeeps("missing.qld", "cannot read");
    Spit(dir / "notascript.qld", "Quarrin Layvane Map File. Version 1.1\n");
    failsAndKeeps("notascript.qld", "cannot read");
    Spit(dir / "nostart.qld", Script(",load x\n", ""));
    failsAndKeeps("nostart.qld", "no start lines");
    // Without ">end" the start section is never closed, so it is lost.
    Spit(dir / "noend.qld", "QuarrinLayvane Demo Script File. Version 1.0\n>start\n.say a\n");
    failsAndKeeps("noend.qld", "no start lines");
    Spit(dir / "nomark.qld", Script("", ".say a\nsay b\n.say c\n"));
    failsAndKeeps("nomark.qld", "without its mark");
    fs::create_directories(dir / "folder.qld");
    failsAndKeeps("folder.qld", "cannot read");
}

TEST_F(CliPlayTest, MapNamesOutsideTheFoldersAreRefused)
{
    fs::create_directories(dir / "inner");
    Spit(dir / "secret.qlm", SoilMap(5));
    Spit(dir / "inner" / "show.qld", Script("", ".load ../secret\n.say " + platform::Utf8ToGb18030("好") + "\n"));
    const Result r = Cli("play " + P("inner/show.qld") + " -o " + P("out.qlm"));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("load ../secret"), std::string::npos) << r.err;
    EXPECT_EQ(Slurp(dir / "out.qlm"), SoilMap(0));
}

TEST_F(CliPlayTest, WrongUsageGivesStatusTwo)
{
    Spit(dir / "a.qld", Script("", ".say a\n"));
    for (const std::string& args : {std::string("play"), "play " + P("a.qld"), "play " + P("a.qld") + " b -o x",
                                    "play -o " + P("x.qlm"), "play " + P("a.qld") + " -o x --speed 3"}) {
        const Result r = Cli(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: quarrinlayvane-cli play"), std::string::npos) << args;
    }
    EXPECT_FALSE(fs::exists(dir / "x"));
}

TEST_F(CliPlayTest, ALoadThatFindsNoMapFailsAfterWritingWhatWasPlayed)
{
    Spit(dir / "show.qld", Script(",load nowhere\n", ".mark 1 1 1 9\n"));
    const Result played = Cli("play " + P("show.qld") + " -o " + P("played.qlm"));
    const Result ran = Cli("run -o " + P("ran.qlm"), "load nowhere\nmark 1 1 1 9\n");
    for (const auto& [r, out] : {std::pair{played, "played.qlm"}, std::pair{ran, "ran.qlm"}}) {
        EXPECT_EQ(r.status, 1) << out;
        EXPECT_NE(r.err.find("Load Failed"), std::string::npos) << out << ": " << r.err;
        EXPECT_NE(Slurp(dir / out).find("Marks 1\n1 1 1 9\n"), std::string::npos) << out;
    }
}

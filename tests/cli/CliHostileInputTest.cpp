// quarrinlayvane-cli against files placed by someone else and a full disk.
#include "cli/CliProcess.h"
#include "platform/SmallDisk.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

using cli_process::Result;
using cli_process::Slurp;
using cli_process::Spit;

std::string EmptyMap(const std::string& lists = "Builds 0\nMarks 0\n")
{
    std::string text = "Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n";
    for (int x = 0; x < 250; ++x)
        text += std::string(250, x < 100 ? '1' : '0') + "\n";
    return text + lists;
}

class CliHostileInputTest : public cli_process::CliFolderTest {};

TEST_F(CliHostileInputTest, PipesDevicesAndHugeFilesAreRefusedAtOnce)
{
    // Nobody writes to the pipe: a reader that opened it would wait forever.
    ASSERT_EQ(::mkfifo((dir / "pipe.qlm").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir / "pipe.qld").c_str(), 0600), 0);
    Spit(dir / "huge.qlm", "");
    fs::resize_file(dir / "huge.qlm", 300u * 1024 * 1024);
    Spit(dir / "keep.qlm", "the user's file");
    const struct {
        std::string args;
        std::string message;
    } cases[] = {
        {"stats " + P("pipe.qlm"), "Load Failed: file is not a regular file."},
        {"stats /dev/zero", "Load Failed: file is not a regular file."},
        {"stats " + P("huge.qlm"), "Load Failed: file is too large."},
        {"resave " + P("huge.qlm") + " -o " + P("keep.qlm"), "Load Failed: file is too large."},
        {"run --map " + P("pipe.qlm") + " -o " + P("keep.qlm"), "Load Failed: file is not a regular file."},
        {"play " + P("pipe.qld") + " -o " + P("keep.qlm"), "cannot read"},
    };
    for (const auto& c : cases) {
        const Result r = Cli(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(Slurp(dir / "keep.qlm"), "the user's file");
}

TEST_F(CliHostileInputTest, TheToolLeavesThePlannersSettingsAsTheyAre)
{
    // A copy of the tool in a folder of its own, with the planner's settings beside it.
    fs::create_directories(dir / "program");
    fs::copy_file(QL_CLI_PATH, dir / "program" / "quarrinlayvane-cli");
    const std::string settings = "AutoMemory\nMaxBackLine: 8\nZoomTyp: KeepCenter\nHouseColor: ff\n"
                                 "ColorNames: 1\nff red\nRoad: Make\nSaveTempRecFile\n";
    Spit(dir / "program" / "ql.cfg", settings);
    Spit(dir / "in.qlm", EmptyMap());
    const std::string tool = "'" + (dir / "program" / "quarrinlayvane-cli").string() + "' ";
    for (const std::string& args : {"layout " + P("in.qlm") + " -o " + P("out.qlm") + " --stop-after-expansions 0",
                                    "render " + P("in.qlm") + " -o " + P("out.png") + " --cell 2",
                                    "stats " + P("in.qlm"), "run -o " + P("run.qlm")}) {
        const int raw = std::system((tool + args + " > /dev/null 2>&1 < /dev/null").c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) <= 2) << args;
        EXPECT_EQ(Slurp(dir / "program" / "ql.cfg"), settings) << args;
    }
    EXPECT_TRUE(fs::exists(dir / "out.qlm"));
}

TEST_F(CliHostileInputTest, AMapOfHugeBuildingsRenders)
{
    std::string builds = "Builds 1000\n";
    for (int i = 0; i < 1000; ++i)
        builds += ": ff -1000000000 -1000000000 2000000000 2000000000\n";
    Spit(dir / "huge.qlm", EmptyMap(builds + "Marks 0\n"));
    const Result r = Cli("render " + P("huge.qlm") + " -o " + P("huge.png"));
    if (r.status == 2 && r.err.find("no drawing") != std::string::npos)
        GTEST_SKIP() << "this build has no drawing";
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Slurp(dir / "huge.png").substr(0, 4), "\x89PNG");
}

TEST_F(CliHostileInputTest, AFullDiskKeepsThePreviousOutput)
{
    SmallDisk disk;
    if (!disk.mounted)
        GTEST_SKIP() << "a small file system can be mounted only as root";
    Spit(dir / "in.qlm", EmptyMap());
    Spit(disk.path / "map.png", "the previous picture");
    Spit(disk.path / "map.qlm", "the previous map");
    // Whatever room is left goes to a filler file.
    Spit(disk.path / "filler", std::string(SmallDisk::kBytes, 'f'));
    const Result render = Cli("render " + P("in.qlm") + " -o '" + (disk.path / "map.png").string() + "'");
    if (render.err.find("no drawing") == std::string::npos) {
        EXPECT_EQ(render.status, 1) << render.err;
    }
    const Result resave = Cli("resave " + P("in.qlm") + " -o '" + (disk.path / "map.qlm").string() + "'");
    EXPECT_EQ(resave.status, 1);
    EXPECT_EQ(Slurp(disk.path / "map.png"), "the previous picture");
    EXPECT_EQ(Slurp(disk.path / "map.qlm"), "the previous map");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path), fs::directory_iterator()), 3);
}

#ifndef __SANITIZE_ADDRESS__
TEST_F(CliHostileInputTest, ALayoutUnderAnAddressSpaceLimitEndsGreedilyInsteadOfAborting)
{
    // Soil with a few scattered holes: a search that keeps every state its budget allows.
    std::mt19937 random(5);
    std::string map = "Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n";
    for (int x = 0; x < 250; ++x) {
        for (int y = 0; y < 250; ++y)
            map += random() % 100 < 3 ? '0' : '1';
        map += "\n";
    }
    Spit(dir / "holes.qlm", map + "Builds 0\nMarks 0\n");
    // About 150 MB are mapped before the search starts.
    const std::string limit = "ulimit -v 320000; ";
    const auto layout = [&](const std::string& options) {
        const Result r = Cli("layout " + P("holes.qlm") + " -o " + P("out.qlm") + options, "", limit);
        EXPECT_EQ(r.status, 0) << options << ": " << r.err;
        EXPECT_NE(r.out.find("layout: region="), std::string::npos) << options << ": " << r.out;
        EXPECT_NE(Slurp(dir / "out.qlm").find("Builds "), std::string::npos) << options;
        fs::remove(dir / "out.qlm");
        return r.err;
    };
    // A budget far beyond the limit runs out of memory and ends as a stop does.
    EXPECT_NE(layout(" --memory-mb 2048").find("memory ran out"), std::string::npos);
    // The automatic budget keeps within the limit.
    EXPECT_EQ(layout(" --stop-after-ms 1500").find("memory ran out"), std::string::npos);
}
#endif

}  // namespace

#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kNotDocument = "file is not a quarrin layvane document.";
constexpr const char* kUnknownVersion = "unknown version of file format.";
constexpr const char* kDestroyed = "bad quarrin layvane file, maybe it has been destroyed!";
constexpr const char* kLegacySizeOnly = "this version only support size of 100, file has different size.";
constexpr const char* kCurrentSizeOnly = "this version only support size of 250, file has different size.";
constexpr const char* kNoBuilds = "no builds found in this document!";
constexpr const char* kNoMarks = "no marks found in this document!";

std::string Repeat(const std::string& line, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

// A map text of `size` grid lines of `cell`, followed by `tail`.
std::string MapText(const std::string& version, int size, char cell, const std::string& tail)
{
    return "Quarrin Layvane Map File. Version " + version + "\nGrid Size " + std::to_string(size) + " * " +
           std::to_string(size) + "\n" + Repeat(std::string(static_cast<std::size_t>(size), cell) + "\n", size) +
           tail;
}

struct SceneCopy {
    Scene::Grid cells;
    std::vector<Build> builds;
    std::vector<Mark> marks;
};

class MapFileTest : public ::testing::Test {
protected:
    std::string Written() const
    {
        std::ostringstream out;
        MapFileWriter::Write(out, scene);
        return out.str();
    }

    bool Read(const std::string& text)
    {
        std::istringstream in(text);
        return MapFileReader::Read(in, errorText, scene);
    }

    SceneCopy Copy() const { return {scene.Cells(), scene.Builds(), scene.Marks()}; }

    void ExpectUnchanged(const SceneCopy& before) const
    {
        EXPECT_TRUE(scene.Cells() == before.cells);
        EXPECT_EQ(scene.Builds(), before.builds);
        EXPECT_EQ(scene.Marks(), before.marks);
    }

    // Soil everywhere, a road, a wall, a house, a named building and a ruler.
    void MakeBusyScene()
    {
        scene.FillRect(0, 0, 240, 240, CellSoil, CellAny);
        scene.FillRect(100, 0, 1, 200, CellRoad, CellAny);
        scene.FillRect(0, 230, 200, 1, CellWall, CellAny);
        scene.PlaceBuild(10, 12, 3, 2, DefaultColour, "");
        scene.PlaceBuild(40, 7, 3, 4, 0x1c00ff, "old");
        scene.InsertMark({5, 5, 5, 30});
    }

    Scene scene{MsgCenter::Instance()};
    std::string errorText;
};

TEST_F(MapFileTest, EmptySceneWritesHeaderZeroGridAndEmptyLists)
{
    const std::string expected = "Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n" +
                                 Repeat(std::string(250, '0') + "\n", 250) + "Builds 0\nMarks 0\n";
    EXPECT_EQ(Written(), expected);
}

TEST_F(MapFileTest, WrittenBuildingAndRulerLinesKeepTheirLayout)
{
    scene.FillRect(0, 0, 100, 100, CellSoil, CellAny);
    scene.PlaceBuild(10, 12, 3, 2, DefaultColour, "");
    scene.PlaceBuild(40, 7, 3, 4, 0x001c00ff, platform::Utf8ToGb18030("医院"));
    scene.PlaceBuild(60, 7, 1, 1, 0, "zero");
    scene.InsertMark({5, 5, 5, 30});
    scene.InsertMark({-1, 2, 300, -4});

    const std::string text = Written();
    const std::string tail = "Builds 3\n: ffffffff 10 12 3 2\n" + platform::Utf8ToGb18030("医院") +
                             ": 1c00ff 40 7 3 4\nzero: 0 60 7 1 1\nMarks 2\n5 5 5 30\n-1 2 300 -4\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    // Column 10 holds the house in rows 12 and 13.
    const std::size_t column10 = text.find('\n', text.find('\n') + 1) + 1 + 10 * 251;
    EXPECT_EQ(text.substr(column10 + 11, 4), "1221");
}

TEST_F(MapFileTest, WriteThenReadGivesBackTheSameScene)
{
    MakeBusyScene();
    scene.PlaceBuild(50, 50, 5, 4, 0xffffffff, platform::Utf8ToGb18030("东 城 门"));
    scene.PlaceBuild(60, 50, 2, 3, 0x00ff00, "  two  blanks ");
    scene.PlaceBuild(70, 50, 4, 4, 0x123456, "a");
    scene.SetBuildName(70, 50, "a:b:c");
    scene.InsertMark({5, 5, 5, 30});
    scene.InsertMark({-7, 2147483647, 0, -2147483647 - 1});
    const SceneCopy saved = Copy();
    const std::string text = Written();

    scene.ClearAll();
    scene.FillRect(0, 0, 10, 10, CellRoad, CellAny);
    scene.InsertMark({1, 1, 1, 1});
    EXPECT_TRUE(Read(text));
    EXPECT_EQ(errorText, "");
    ExpectUnchanged(saved);
    EXPECT_EQ(Written(), text);
}

TEST_F(MapFileTest, CellsHoldingOtherBytesStayOneCharacterAndComeBack)
{
    std::string text = MapText("1.1", 250, '0', "Builds 0\nMarks 0\n");
    const std::size_t firstCell = text.find("250\n") + 4;
    text[firstCell] = '9';
    text[firstCell + 1] = 'A';
    text[firstCell + 2] = '\xB0';
    text[firstCell + 251] = '~';
    ASSERT_TRUE(Read(text));
    EXPECT_EQ(scene.CellAt(0, 0), 9);
    EXPECT_EQ(scene.CellAt(0, 1), 'A' - '0');
    EXPECT_EQ(scene.CellAt(0, 2), -80 - '0');
    EXPECT_EQ(scene.CellAt(1, 0), '~' - '0');
    EXPECT_EQ(Written(), text);

    // Values no file byte can give must not shift the rest of the grid.
    scene.LoadCell(0, 0, 1000);
    scene.LoadCell(0, 1, ' ' - '0');
    std::string rewritten = Written();
    EXPECT_EQ(rewritten.size(), text.size());
    EXPECT_EQ(rewritten.substr(firstCell, 2), "00");
}

TEST_F(MapFileTest, LegacyMapFillsTheTopLeftCornerWithDefaultColours)
{
    MakeBusyScene();
    const std::string name = platform::Utf8ToGb18030("医院");
    EXPECT_TRUE(Read(MapText("1.0", 100, '3', "Builds 2\n" + name + ":40 7 3 4\n:1 2 3 2\nMarks 1\n1 2 3 4\n")));
    EXPECT_EQ(errorText, "");
    EXPECT_EQ(scene.CellAt(0, 0), CellRoad);
    EXPECT_EQ(scene.CellAt(99, 99), CellRoad);
    EXPECT_EQ(scene.CellAt(100, 0), CellRoad);  // the road column was there before
    EXPECT_EQ(scene.CellAt(101, 5), CellSoil);
    EXPECT_EQ(scene.CellAt(5, 100), CellSoil);
    EXPECT_EQ(scene.Builds(), (std::vector<Build>{{40, 7, 3, 4, name, DefaultColour}, {1, 2, 3, 2, "", DefaultColour}}));
    EXPECT_EQ(scene.Marks(), (std::vector<Mark>{{1, 2, 3, 4}}));
}

TEST_F(MapFileTest, RefusedFilesLeaveTheSceneAsItWas)
{
    const std::string tail = "Builds 0\nMarks 0\n";
    const std::string good = MapText("1.1", 250, '1', tail);
    struct Case {
        std::string text;
        const char* message;
    };
    const std::vector<Case> cases{
        {"", kNotDocument},
        {"Quarrin Layvane Map Flie. Version 1.1\n", kNotDocument},
        {"Quarrin Layvane Map File. Version\n", kUnknownVersion},
        {"Quarrin Layvane Map File. Version 1.2\nGrid Size 250 * 250\n", kUnknownVersion},
        {"Quarrin Layvane Map File. Version 1.1\nGrid Size 250 x 250\n", kDestroyed},
        {"Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 99999999999\n", kDestroyed},
        {"Quarrin Layvane Map File. Version 1.1\nGrid Size\n", kDestroyed},
        {MapText("1.1", 100, '1', tail), kCurrentSizeOnly},
        {MapText("1.0", 250, '1', tail), kLegacySizeOnly},
        {"Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 100\n", kCurrentSizeOnly},
        {good.substr(0, good.size() / 2), kDestroyed},
        {good.substr(0, good.find("Builds") - 2), kDestroyed},
    };
    MakeBusyScene();
    const SceneCopy before = Copy();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        errorText = "earlier.";
        EXPECT_FALSE(Read(c.text));
        EXPECT_EQ(errorText, std::string("earlier.") + c.message);
        ExpectUnchanged(before);
    }
}

TEST_F(MapFileTest, MissingListKeywordsLoadTheGridAndReportBothListsTogether)
{
    MakeBusyScene();
    EXPECT_TRUE(Read(MapText("1.1", 250, '4', "Buildings 1\n: ffffffff 1 1 3 2\nMarks 1\n1 2 3 4\n")));
    EXPECT_EQ(errorText, std::string(kNoBuilds) + kNoMarks);
    EXPECT_EQ(scene.CellAt(249, 249), CellWall);
    EXPECT_TRUE(scene.Builds().empty());
    EXPECT_TRUE(scene.Marks().empty());

    errorText.clear();
    EXPECT_TRUE(Read(MapText("1.1", 250, '1', "Builds 1\n: ff 1 1 3 2\n")));
    EXPECT_EQ(errorText, kNoMarks);
    EXPECT_EQ(scene.Builds(), (std::vector<Build>{{1, 1, 3, 2, "", 0xff}}));
}

TEST_F(MapFileTest, BlankLinesAndLinesWithoutColonDoNotCountAsBuildings)
{
    EXPECT_TRUE(Read(MapText("1.1", 250, '1',
                             "Builds 3\n\n: ff 1 1 3 2\n\n   \nnot a building\nx y: 0 5 5 5 4\n\n\nz: ffffffff 9 9 2 2 "
                             "trailing words\nMarks 0\n")));
    EXPECT_EQ(errorText, "");
    EXPECT_EQ(scene.Builds(), (std::vector<Build>{{1, 1, 3, 2, "", 0xff},
                                                  {5, 5, 5, 4, "x y", 0},
                                                  {9, 9, 2, 2, "z", DefaultColour}}));
}

TEST_F(MapFileTest, CrLfFileReadsLikeLfFile)
{
    MakeBusyScene();
    scene.PlaceBuild(50, 50, 2, 3, 0xabcdef, "name with blank");
    const std::string lf = Written();
    std::string crlf;
    for (const char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const SceneCopy saved = Copy();

    scene.ClearAll();
    EXPECT_TRUE(Read(crlf));
    EXPECT_EQ(errorText, "");
    ExpectUnchanged(saved);
}

TEST_F(MapFileTest, HostileListsKeepWhatWasReadAndSayTheFileIsDamaged)
{
    // A count far beyond what the file holds reads to the end of the file.
    EXPECT_TRUE(Read(MapText("1.1", 250, '1', "Builds 4000000000\n: ff -5 2000000000 -3 2147483647\n")));
    EXPECT_EQ(errorText, std::string(kDestroyed) + kNoMarks);
    EXPECT_EQ(scene.Builds(), (std::vector<Build>{{-5, 2000000000, -3, 2147483647, "", 0xff}}));

    // A number beyond 32 bits stops its list; the next word is then no keyword.
    errorText.clear();
    EXPECT_TRUE(Read(MapText("1.1", 250, '1', "Builds 3\n: ff 1 1 3 2\n: ff 2147483648 1 3 2\n: ff 5 5 3 2\nMarks 0\n")));
    EXPECT_EQ(errorText, std::string(kDestroyed) + kNoMarks);
    EXPECT_EQ(scene.Builds().size(), 1u);

    errorText.clear();
    EXPECT_TRUE(Read(MapText("1.1", 250, '1', "Builds 1\n: 1ffffffff 1 1 3 2\nMarks 0\n")));
    EXPECT_EQ(errorText, std::string(kDestroyed));
    EXPECT_TRUE(scene.Builds().empty());

    errorText.clear();
    EXPECT_TRUE(Read(MapText("1.1", 250, '1', "Builds 0\nMarks 9999999999\n1 2 3 4\n")));
    EXPECT_EQ(errorText, kDestroyed);
    EXPECT_TRUE(scene.Marks().empty());

    errorText.clear();
    EXPECT_TRUE(Read(MapText("1.1", 250, '1', "Builds 0\nMarks 3\n1 2 3 4\n5 6 7\n")));
    EXPECT_EQ(errorText, kDestroyed);
    EXPECT_EQ(scene.Marks(), (std::vector<Mark>{{1, 2, 3, 4}}));
}

class MapFileOnDiskTest : public MapFileTest {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("ql_mapfile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
};

TEST_F(MapFileOnDiskTest, SavingReplacesTheOldMapAndLeavesNothingBeside)
{
    const auto file = folder / "town.qlm";
    { std::ofstream(file) << "old map"; }
    MakeBusyScene();
    ASSERT_TRUE(MapFileWriter::WriteFile(file, scene));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

    const SceneCopy saved = Copy();
    scene.ClearAll();
    EXPECT_TRUE(MapFileReader::ReadFile(file, errorText, scene));
    EXPECT_EQ(errorText, "");
    ExpectUnchanged(saved);
}

TEST_F(MapFileOnDiskTest, UnwritableOrMissingFilesChangeNothing)
{
    MakeBusyScene();
    EXPECT_FALSE(MapFileWriter::WriteFile(folder / "no such folder" / "town.qlm", scene));

    // A folder in the way is not replaced.
    const auto blocked = folder / "blocked.qlm";
    std::filesystem::create_directories(blocked / "inside");
    EXPECT_FALSE(MapFileWriter::WriteFile(blocked, scene));
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
    EXPECT_FALSE(std::filesystem::exists(folder / "blocked.qlm.new"));

    const SceneCopy before = Copy();
    EXPECT_FALSE(MapFileReader::ReadFile(folder / "missing.qlm", errorText, scene));
    EXPECT_EQ(errorText, "");
    ExpectUnchanged(before);
}

}  // namespace

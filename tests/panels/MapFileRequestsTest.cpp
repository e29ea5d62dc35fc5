#include "demo/DemoScriptReader.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/MapFileRequests.h"
#include "platform/FileSizeLimit.h"
#include "platform/TextCodec.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Problem = MapFileRequests::SaveProblem;

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class MapFileRequestsTest : public ::testing::Test {
protected:
    MapFileRequestsTest()
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~MapFileRequestsTest() override { fs::remove_all(dir); }

    // A map whose one building tells the maps apart.
    void WriteMap(const fs::path& file, int buildX)
    {
        Scene other{center};
        other.FillRect(buildX, 1, 5, 4, CellSoil, CellAny);
        other.PlaceBuild(buildX, 1, 5, 4, DefaultColour, "");
        fs::create_directories(file.parent_path());
        ASSERT_TRUE(MapFileWriter::WriteFile(file, other));
    }
    int LoadedBuildX() const { return scene.Builds().size() == 1 ? scene.Builds()[0].x : -1; }

    // A catalogue whose current script lives in `folder`.
    void SelectScriptIn(const fs::path& folder)
    {
        DemoScript script;
        script.folder = folder;
        scene.Demos().entries = {script};
        scene.Demos().selected = 1;
    }

    // Other build folders may run the same tests at the same time.
    const fs::path dir = fs::temp_directory_path() / ("ql-mapfile-requests-" + std::to_string(std::random_device{}()));
    MsgCenter& center = MsgCenter::Instance();
    Scene scene{center};
    std::vector<std::string> reports;
    std::vector<fs::path> shown;
    std::vector<std::pair<fs::path, Problem>> saveProblems;
    MapFileRequests files{center,
                          scene,
                          dir,
                          [this](const std::string& e) { reports.push_back(e); },
                          [this](const fs::path& p) { shown.push_back(p); },
                          [this](const fs::path& p, Problem problem) { saveProblems.emplace_back(p, problem); }};
};

TEST_F(MapFileRequestsTest, LoadAndSaveAnswerTheMainWindowsMessages)
{
    WriteMap(dir / "a.qlm", 1);
    center.Send(LoadMapFile_Msg{dir / "a.qlm"});
    EXPECT_EQ(LoadedBuildX(), 1);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(shown, std::vector<fs::path>{dir / "a.qlm"});

    center.Send(SaveMapFile_Msg{dir / "b.qlm"});
    EXPECT_EQ(Slurp(dir / "b.qlm"), Slurp(dir / "a.qlm"));
    EXPECT_TRUE(saveProblems.empty());
}

TEST_F(MapFileRequestsTest, AMissingFileChangesNothingAndMayBeCreatedOnSave)
{
    EXPECT_FALSE(files.Load(dir / "new.qlm"));
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(files.Save(dir / "new.qlm"));
    EXPECT_TRUE(fs::exists(dir / "new.qlm"));
}

TEST_F(MapFileRequestsTest, AFileRefusedAsAMapIsReportedAndNeverSavedOverUnlessChosen)
{
    std::ofstream(dir / "notes.txt") << "my notes, not a map";
    center.Send(LoadMapFile_Msg{dir / "notes.txt"});
    EXPECT_EQ(reports, std::vector<std::string>{"file is not a quarrin layvane document."});
    EXPECT_EQ(shown, std::vector<fs::path>{dir / "notes.txt"});

    center.Send(SaveMapFile_Msg{dir / "notes.txt"});
    EXPECT_EQ(Slurp(dir / "notes.txt"), "my notes, not a map");
    ASSERT_EQ(saveProblems.size(), 1u);
    EXPECT_EQ(saveProblems[0].second, Problem::NotAMapFile);

    // Picked in the save dialog with the replace prompt confirmed.
    EXPECT_TRUE(files.SaveChosen(dir / "notes.txt"));
    EXPECT_NE(Slurp(dir / "notes.txt"), "my notes, not a map");
}

TEST_F(MapFileRequestsTest, AFailedSaveIsReportedAndKeepsTheOldFile)
{
    WriteMap(dir / "keep.qlm", 1);
    const std::string before = Slurp(dir / "keep.qlm");
    {
        // While it lasts, no file may grow past a few bytes: the disk is as good as full.
        const FileSizeLimit full(16);
        EXPECT_FALSE(files.Save(dir / "keep.qlm"));
    }
    EXPECT_EQ(Slurp(dir / "keep.qlm"), before);

    center.Send(SaveMapFile_Msg{dir / "no-such-folder" / "x.qlm"});
    ASSERT_EQ(saveProblems.size(), 2u);
    EXPECT_EQ(saveProblems[0], std::make_pair(dir / "keep.qlm", Problem::CannotWrite));
    EXPECT_EQ(saveProblems[1].first, dir / "no-such-folder" / "x.qlm");
}

TEST_F(MapFileRequestsTest, TempMapsRoundTripThroughTheTempFolderItCreates)
{
    scene.FillRect(7, 7, 3, 2, CellSoil, CellAny);
    scene.PlaceBuild(7, 7, 3, 2, DefaultColour, "");
    ASSERT_FALSE(fs::exists(dir / "temp"));
    center.Send(SaveTempMap_Msg{7});
    ASSERT_TRUE(fs::exists(dir / "temp" / "7.qlm"));
    EXPECT_EQ(files.TempMapFile(7), dir / "temp" / "7.qlm");

    scene.ClearAll();
    center.Send(LoadTempMap_Msg{7});
    EXPECT_EQ(LoadedBuildX(), 7);
    EXPECT_EQ(shown, std::vector<fs::path>{dir / "temp" / "7.qlm"});
    EXPECT_TRUE(saveProblems.empty());
}

TEST_F(MapFileRequestsTest, ATempSnapshotThatCannotBeWrittenStaysSilent)
{
    std::ofstream(dir / "temp") << "a file where the folder should be";
    EXPECT_FALSE(files.SaveTemp(3));
    EXPECT_TRUE(saveProblems.empty());
}

TEST_F(MapFileRequestsTest, ANewRecordingDropsTheOldSnapshotsAndSavesItsStartingMap)
{
    for (const char* old : {"0.qlm", "12.qlm", "s.qlm"})
        WriteMap(dir / "temp" / old, 40);
    std::ofstream(dir / "temp" / "notes.txt") << "kept";
    scene.FillRect(2, 2, 3, 2, CellSoil, CellAny);
    scene.PlaceBuild(2, 2, 3, 2, DefaultColour, "");

    ASSERT_TRUE(files.StartRecordingSnapshots());
    EXPECT_FALSE(fs::exists(dir / "temp" / "0.qlm"));
    EXPECT_FALSE(fs::exists(dir / "temp" / "12.qlm"));
    EXPECT_TRUE(fs::exists(dir / "temp" / "notes.txt"));
    EXPECT_EQ(files.RecordingStartFile(), dir / "temp" / "s.qlm");

    scene.ClearAll();
    EXPECT_TRUE(files.Load(dir / "temp" / "s.qlm"));
    EXPECT_EQ(LoadedBuildX(), 2);
}

TEST_F(MapFileRequestsTest, DemoMapsComeFromTheScriptFolderFirstThenTheMapFolder)
{
    const std::string name = platform::Utf8ToGb18030("我的城");
    const fs::path fileName = platform::PathFromUtf8("我的城.qlm");
    WriteMap(dir / "demo" / "auto" / fileName, 10);
    WriteMap(dir / "map" / fileName, 20);

    SelectScriptIn(dir / "demo" / "auto");
    center.Send(LoadDomoMap_Msg{name});
    EXPECT_EQ(LoadedBuildX(), 10);

    SelectScriptIn(dir / "demo" / "elsewhere");
    center.Send(LoadDomoMap_Msg{name});
    EXPECT_EQ(LoadedBuildX(), 20);

    // No current script: only the map folder is looked in.
    scene.Demos().entries.clear();
    scene.ClearAll();
    EXPECT_TRUE(files.LoadDemoMap(name));
    EXPECT_EQ(LoadedBuildX(), 20);
    EXPECT_EQ(shown.back(), dir / "map" / fileName);

    scene.ClearAll();
    EXPECT_FALSE(files.LoadDemoMap("missing"));
    EXPECT_TRUE(scene.Builds().empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(MapFileRequestsTest, ARefusedScriptMapIsReportedWithoutFallingBack)
{
    fs::create_directories(dir / "demo");
    std::ofstream(dir / "demo" / "town.qlm") << "garbage";
    WriteMap(dir / "map" / "town.qlm", 20);
    SelectScriptIn(dir / "demo");
    EXPECT_FALSE(files.LoadDemoMap("town"));
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(scene.Builds().empty());
}

TEST_F(MapFileRequestsTest, DemoMapNamesThatCouldLeaveTheirFolderAreRefused)
{
    WriteMap(dir / "secret.qlm", 30);
    SelectScriptIn(dir / "demo");
    fs::create_directories(dir / "demo");
    const std::vector<std::string> hostileNames = {
        "../secret", "..\\secret", "..",  "sub/../../secret", "/tmp/secret",
        "C:secret",  std::string("a\0b", 3), "con", "Lpt1 x"};
    for (const std::string& hostile : hostileNames) {
        SCOPED_TRACE(hostile);
        EXPECT_FALSE(MapFileRequests::DemoMapFileName(hostile));
        reports.clear();
        center.Send(LoadDomoMap_Msg{hostile});
        EXPECT_TRUE(scene.Builds().empty());
        EXPECT_EQ(reports.size(), 1u);
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(MapFileRequestsTest, DemoMapNamesWithBackslashTrailBytesArePlainNames)
{
    // "乗" is 0x81 0x5C in GB18030: its second byte alone would read as a backslash.
    const auto file = MapFileRequests::DemoMapFileName(platform::Utf8ToGb18030("乗"));
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, platform::PathFromUtf8("乗.qlm"));
    EXPECT_TRUE(MapFileRequests::DemoMapFileName("console"));
    EXPECT_TRUE(MapFileRequests::DemoMapFileName("com"));
}

}  // namespace

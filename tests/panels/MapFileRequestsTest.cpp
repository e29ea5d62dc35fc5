#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/MapFileRequests.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class MapFileRequestsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / "ql-mapfile-requests";
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    MsgCenter& center = MsgCenter::Instance();
    Scene scene{center};
    std::vector<std::string> reports;
    std::vector<fs::path> shown;
    MapFileRequests files{center, scene, [this](const std::string& e) { reports.push_back(e); },
                          [this](const fs::path& p) { shown.push_back(p); }};
    fs::path dir;
};

TEST_F(MapFileRequestsTest, LoadAndSaveAnswerTheMainWindowsMessages)
{
    scene.FillRect(1, 1, 5, 4, CellSoil, CellAny);
    scene.PlaceBuild(1, 1, 5, 4, DefaultColour, "");
    ASSERT_TRUE(MapFileWriter::WriteFile(dir / "a.qlm", scene));
    scene.ClearAll();

    center.Send(LoadMapFile_Msg{dir / "a.qlm"});
    ASSERT_EQ(scene.Builds().size(), 1u);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(shown, std::vector<fs::path>{dir / "a.qlm"});

    center.Send(SaveMapFile_Msg{dir / "b.qlm"});
    EXPECT_EQ(Slurp(dir / "b.qlm"), Slurp(dir / "a.qlm"));
}

TEST_F(MapFileRequestsTest, AMissingFileChangesNothingAndMayBeCreatedOnSave)
{
    EXPECT_FALSE(files.Load(dir / "new.qlm"));
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(files.Save(dir / "new.qlm"));
    EXPECT_TRUE(fs::exists(dir / "new.qlm"));
}

TEST_F(MapFileRequestsTest, AFileRefusedAsAMapIsReportedAndNeverSavedOver)
{
    std::ofstream(dir / "notes.txt") << "my notes, not a map";
    center.Send(LoadMapFile_Msg{dir / "notes.txt"});
    EXPECT_EQ(reports, std::vector<std::string>{"file is not a quarrin layvane document."});
    center.Send(SaveMapFile_Msg{dir / "notes.txt"});
    EXPECT_EQ(Slurp(dir / "notes.txt"), "my notes, not a map");
}

}  // namespace

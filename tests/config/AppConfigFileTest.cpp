#include "config/AppConfig.h"
#include "config/AppConfigFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

// Settings on a temporary file with a fixed memory reading, so budgets are predictable.
class AppConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("ql-cfg-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        file = dir / "ql.cfg";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Defaults as after creation on a machine with 3000 MB available.
    static void Defaults(AppConfig& c)
    {
        c.RefreshMemory(platform::PhysicalMemory{8000ull << 20, 3000ull << 20});
    }

    std::filesystem::path dir;
    std::filesystem::path file;
    AppConfig config{std::filesystem::temp_directory_path() / "ql-cfg-unused" / "never" / "ql.cfg"};
};

constexpr const char* kDefaultFile =
    "AutoMemory\nMaxBackLine: 8\nZoomType: KeepOffset\nGridLine: Auto\nHideBuildFrame: No\n"
    "HideBuildGrid: No\nHideBuildName: No\nHouseColor: ff1c00\nFactoryColor: ff1c00\n"
    "OtherBuildColor: ff1c00\nColorNames: 0\nRoad: Notice\nSaveTempRecFile\n"
    "LayoutMode: Beam\nLayoutTimeLimit: 10\n";

TEST_F(AppConfigFileTest, DefaultsWriteTheDocumentedFile)
{
    EXPECT_EQ(AppConfigFile::Format(config), kDefaultFile);
}

TEST_F(AppConfigFileTest, EveryFieldSurvivesAWriteAndRead)
{
    config.autoMemory = false;
    config.memoryBudget = 777;
    config.maxBackLine = 12;
    config.zoomKeepCenter = true;
    config.gridAuto = false;
    config.gridShow = true;
    config.hideBuildFrame = true;
    config.hideBuildGrid = true;
    config.hideBuildName = true;
    config.houseColor = 0x0000ff;
    config.factoryColor = 0;
    config.otherBuildColor = 0xffffffff;
    config.colorNames = {{0xff, "\xBA\xEC"}, {0xff00, "green"}};
    config.roadNotice = true;
    config.roadMake = true;
    config.saveTempRecFile = false;
    config.optimisedLayout = true;
    config.layoutSeconds = 25;
    ASSERT_TRUE(AppConfigFile::Write(file, config));

    AppConfig back{file};
    EXPECT_EQ(AppConfigFile::Format(back), AppConfigFile::Format(config));
    EXPECT_EQ(back.colorNames, config.colorNames);
    EXPECT_FALSE(back.autoMemory);
    EXPECT_EQ(back.memoryBudget, 777);
    EXPECT_TRUE(back.optimisedLayout);
    EXPECT_EQ(back.layoutSeconds, 25);
}

TEST_F(AppConfigFileTest, LayoutModeKeysComeLastSoOlderFilesAndReadersStillWork)
{
    // A file from before the keys: everything read, the mode stays the default.
    std::string older = kDefaultFile;
    older.erase(older.find("LayoutMode:"));
    config.optimisedLayout = true;
    AppConfigFile::Parse("CustomMemery: 500\n" + older.substr(older.find('\n') + 1), config);
    EXPECT_EQ(config.memoryBudget, 500);
    EXPECT_TRUE(config.saveTempRecFile);
    EXPECT_TRUE(config.optimisedLayout);

    // Out-of-range limits are held to 1 s … 1 h; an unknown mode is the beam search.
    AppConfigFile::Parse(older + "LayoutMode: Optimised LayoutTimeLimit: 0", config);
    EXPECT_TRUE(config.optimisedLayout);
    EXPECT_EQ(config.layoutSeconds, AppConfigFile::kMinLayoutSeconds);
    AppConfigFile::Parse(older + "LayoutMode: fast LayoutTimeLimit: 99999999", config);
    EXPECT_FALSE(config.optimisedLayout);
    EXPECT_EQ(config.layoutSeconds, AppConfigFile::kMaxLayoutSeconds);
}

TEST_F(AppConfigFileTest, OnlyALanguageOverrideIsWrittenAndAnUnknownOneIsIgnored)
{
    Defaults(config);
    EXPECT_EQ(AppConfigFile::Format(config).find("Language"), std::string::npos);
    for (const char* language : {"en", "zh"}) {
        config.language = language;
        const std::string text = AppConfigFile::Format(config);
        EXPECT_EQ(text.substr(text.size() - 13), std::string("Language: ") + language + "\n");
        AppConfig read{dir / "unused.cfg"};
        AppConfigFile::Parse(text, read);
        EXPECT_EQ(read.language, language);
    }
    AppConfig other{dir / "other.cfg"};
    AppConfigFile::Parse(std::string(kDefaultFile) + "Language: fr\n", other);
    EXPECT_EQ(other.language, "");
}

TEST_F(AppConfigFileTest, OnlyACustomBudgetKeepsDefaultsForTheRest)
{
    Defaults(config);
    AppConfigFile::Parse("CustomMemery: 500", config);
    EXPECT_FALSE(config.autoMemory);
    EXPECT_EQ(config.memoryBudget, 500);
    EXPECT_EQ(config.maxBackLine, 8);
    EXPECT_TRUE(config.gridAuto);
    EXPECT_TRUE(config.roadNotice);
    EXPECT_TRUE(config.saveTempRecFile);
}

TEST_F(AppConfigFileTest, ReadingStopsAtTheFirstKeyOutOfPlace)
{
    AppConfigFile::Parse("AutoMemory\nMaxBackLine: 3\nZoomType: KeepCenter\n", config);
    EXPECT_TRUE(config.zoomKeepCenter);
    EXPECT_EQ(config.maxBackLine, 3);
    EXPECT_TRUE(config.gridAuto);
    EXPECT_EQ(config.houseColor, AppConfig::kDefaultBuildColor);

    AppConfig misspelt{dir / "x.cfg"};
    AppConfigFile::Parse("AutoMemory\nMaxBackLine: 3\nZoomtype: KeepCenter\nGridLine: Show\n", misspelt);
    EXPECT_EQ(misspelt.maxBackLine, 3);
    EXPECT_FALSE(misspelt.zoomKeepCenter);
    EXPECT_TRUE(misspelt.gridAuto);
}

TEST_F(AppConfigFileTest, WordValuesAreCaseSensitive)
{
    AppConfigFile::Parse("AutoMemory MaxBackLine: 8 ZoomType: keepcenter GridLine: show HideBuildFrame: yes "
                         "HideBuildGrid: Yes HideBuildName: No HouseColor: ff FactoryColor: FF "
                         "OtherBuildColor: 0 ColorNames: 0 Road: make savetemprecfile",
                         config);
    EXPECT_FALSE(config.zoomKeepCenter);
    EXPECT_FALSE(config.gridAuto);
    EXPECT_FALSE(config.gridShow);  // neither "Auto" nor "Show": Hide
    EXPECT_FALSE(config.hideBuildFrame);
    EXPECT_TRUE(config.hideBuildGrid);
    EXPECT_EQ(config.houseColor, 0xffu);
    EXPECT_EQ(config.factoryColor, 0xffu);
    EXPECT_FALSE(config.roadNotice);  // any other word: Ignore
    EXPECT_FALSE(config.roadMake);
    EXPECT_FALSE(config.saveTempRecFile);
}

TEST_F(AppConfigFileTest, ColourNamesAreWrittenInAscendingOrderAndLaterDuplicatesWin)
{
    AppConfigFile::Parse("AutoMemory MaxBackLine: 8 ZoomType: KeepOffset GridLine: Auto HideBuildFrame: No "
                         "HideBuildGrid: No HideBuildName: No HouseColor: ff1c00 FactoryColor: ff1c00 "
                         "OtherBuildColor: ff1c00 ColorNames: 3 ff00 second ff first ff00 latest Road: Make",
                         config);
    ASSERT_EQ(config.colorNames.size(), 2u);
    EXPECT_EQ(config.colorNames[0xff], "first");
    EXPECT_EQ(config.colorNames[0xff00], "latest");
    EXPECT_TRUE(config.roadMake);
    const std::string text = AppConfigFile::Format(config);
    EXPECT_NE(text.find("ColorNames: 2\nff first\nff00 latest\nRoad: Make\n"), std::string::npos);
}

TEST_F(AppConfigFileTest, UnreadableNumberStopsEverythingAfterIt)
{
    Defaults(config);
    AppConfigFile::Parse("CustomMemery: lots MaxBackLine: 3", config);
    EXPECT_FALSE(config.autoMemory);
    EXPECT_EQ(config.memoryBudget, 2000);  // unchanged: the computed budget
    EXPECT_EQ(config.maxBackLine, 8);
    // A computed budget beyond the custom range is held to it, so the file written reads back the same.
    config.autoMemory = true;
    config.RefreshMemory(platform::PhysicalMemory{8000ull << 20, 6000ull << 20});
    AppConfigFile::Parse("CustomMemery: lots", config);
    EXPECT_EQ(config.memoryBudget, AppConfigFile::kMaxCustomBudget);

    AppConfig c2{dir / "c2.cfg"};
    AppConfigFile::Parse("AutoMemory MaxBackLine: 8 ZoomType: KeepCenter GridLine: Auto HideBuildFrame: No "
                         "HideBuildGrid: No HideBuildName: No HouseColor: 123456789 FactoryColor: 1 ",
                         c2);
    EXPECT_TRUE(c2.zoomKeepCenter);
    EXPECT_EQ(c2.houseColor, AppConfig::kDefaultBuildColor);  // beyond 32 bits
    EXPECT_EQ(c2.factoryColor, AppConfig::kDefaultBuildColor);
}

TEST_F(AppConfigFileTest, AbsurdNumbersAreHeldToTheRangeThePanelAllows)
{
    AppConfigFile::Parse("CustomMemery: 2000000000 MaxBackLine: -5", config);
    EXPECT_EQ(config.memoryBudget, AppConfigFile::kMaxCustomBudget);
    EXPECT_EQ(config.maxBackLine, 0);
    AppConfigFile::Parse("CustomMemery: -7 MaxBackLine: 99999", config);
    EXPECT_EQ(config.memoryBudget, AppConfigFile::kMinCustomBudget);
    EXPECT_EQ(config.maxBackLine, AppConfigFile::kMaxBackLineLimit);
    AppConfig c2{dir / "c2.cfg"};
    AppConfigFile::Parse("CustomMemery: 99999999999 MaxBackLine: 3", c2);
    EXPECT_EQ(c2.maxBackLine, 8);  // the budget could not be read, so nothing after it is
}

TEST_F(AppConfigFileTest, NamesWithBlanksAreWrittenAsOneWord)
{
    config.colorNames = {{1, "dark red"}, {2, " \t\r\n"}, {3, "ok"}};
    ASSERT_TRUE(AppConfigFile::Write(file, config));
    AppConfig back{file};
    EXPECT_EQ(back.colorNames, (std::map<ColorRef, std::string>{{1, "darkred"}, {3, "ok"}}));
    EXPECT_EQ(back.roadNotice, config.roadNotice);
    EXPECT_EQ(back.saveTempRecFile, config.saveTempRecFile);
    EXPECT_EQ(AppConfigFile::Format(back), AppConfigFile::Format(config));
}

TEST_F(AppConfigFileTest, ThousandsOfNamesAndCrLfLinesRead)
{
    std::ostringstream text;
    text << "AutoMemory\r\nMaxBackLine: 4\r\nZoomType: KeepOffset\r\nGridLine: Hide\r\nHideBuildFrame: No\r\n"
            "HideBuildGrid: No\r\nHideBuildName: Yes\r\nHouseColor: 1\r\nFactoryColor: 2\r\nOtherBuildColor: 3\r\n"
            "ColorNames: 5000\r\n";
    for (int i = 0; i < 5000; ++i)
        text << std::hex << i << " n" << std::dec << i << "\r\n";
    text << "Road: Ignore\r\nDoNotSaveTempRecFile\r\n";
    AppConfigFile::Parse(text.str(), config);
    EXPECT_EQ(config.colorNames.size(), 5000u);
    EXPECT_EQ(config.colorNames[0x1387], "n4999");
    EXPECT_TRUE(config.hideBuildName);
    EXPECT_FALSE(config.roadNotice);
    EXPECT_FALSE(config.saveTempRecFile);
}

TEST_F(AppConfigFileTest, HugeNameCountWithFewEntriesStopsAtTheEnd)
{
    AppConfigFile::Parse("AutoMemory MaxBackLine: 8 ZoomType: KeepOffset GridLine: Auto HideBuildFrame: No "
                         "HideBuildGrid: No HideBuildName: No HouseColor: 1 FactoryColor: 1 OtherBuildColor: 1 "
                         "ColorNames: 2147483647 a x b y",
                         config);
    EXPECT_EQ(config.colorNames.size(), 2u);
    EXPECT_TRUE(config.roadNotice);
}

TEST_F(AppConfigFileTest, TruncatedAnywhereOrGarbledNeverFails)
{
    AppConfig full{dir / "full.cfg"};
    full.colorNames = {{0x10, "a"}, {0x20, "b"}};
    full.roadMake = true;
    const std::string text = AppConfigFile::Format(full);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        AppConfig c{dir / "cut.cfg"};
        AppConfigFile::Parse(std::string_view(text).substr(0, cut), c);
        EXPECT_GE(c.maxBackLine, 0);
    }
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string garbled = text;
        for (int k = 0; k < 4; ++k)
            garbled[random() % garbled.size()] = static_cast<char>(random() % 256);
        AppConfig c{dir / "g.cfg"};
        AppConfigFile::Parse(garbled, c);
        EXPECT_LE(c.maxBackLine, AppConfigFile::kMaxBackLineLimit);
    }
}

TEST_F(AppConfigFileTest, MissingOrEmptyFileKeepsDefaults)
{
    Defaults(config);
    EXPECT_FALSE(AppConfigFile::Read(dir / "absent.cfg", config));
    EXPECT_EQ(AppConfigFile::Format(config), kDefaultFile);
    std::ofstream(dir / "empty.cfg").close();
    EXPECT_TRUE(AppConfigFile::Read(dir / "empty.cfg", config));
    EXPECT_TRUE(config.autoMemory);
    EXPECT_EQ(config.memoryBudget, 2000);
}

TEST_F(AppConfigFileTest, UnwritableTargetReportsFailureAndKeepsTheOldFile)
{
    std::filesystem::create_directories(dir / "locked.cfg");  // a folder where the file should be
    EXPECT_FALSE(AppConfigFile::Write(dir / "locked.cfg", config));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "locked.cfg"));
    EXPECT_FALSE(AppConfigFile::Write(dir / "no" / "such" / "folder" / "ql.cfg", config));
}

}  // namespace

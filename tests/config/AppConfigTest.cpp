#include "config/AppConfig.h"
#include "config/AppConfigFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class AppConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("ql-appcfg-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(AppConfigTest, AutomaticBudgetIsTwoThirdsOfAvailableWithinLimits)
{
    AppConfig config{dir / "ql.cfg"};
    config.RefreshMemory({16000ull << 20, 300ull << 20});
    EXPECT_EQ(config.memoryBudget, 200);
    EXPECT_EQ(config.totalMemory, 16000);
    EXPECT_EQ(config.availableMemory, 300);
    config.RefreshMemory({16000ull << 20, 120ull << 20});
    EXPECT_EQ(config.memoryBudget, 100);
    config.RefreshMemory({16000ull << 20, 4000ull << 20});
    EXPECT_EQ(config.memoryBudget, 2048);
    config.RefreshMemory({16000ull << 20, (300ull << 20) + 1048575});  // rounded down to whole MB
    EXPECT_EQ(config.availableMemory, 300);
}

TEST_F(AppConfigTest, FixedBudgetIgnoresTheMemoryRefresh)
{
    AppConfig config{dir / "ql.cfg"};
    config.autoMemory = false;
    config.memoryBudget = 640;
    config.RefreshMemory({16000ull << 20, 4000ull << 20});
    EXPECT_EQ(config.memoryBudget, 640);
    EXPECT_EQ(config.availableMemory, 4000);
}

TEST_F(AppConfigTest, CreationReadsTheFileAndDestructionRewritesItInFull)
{
    const auto file = dir / "ql.cfg";
    std::ofstream(file) << "CustomMemery: 500";
    {
        AppConfig config{file};
        EXPECT_FALSE(config.autoMemory);
        EXPECT_EQ(config.memoryBudget, 500);
        EXPECT_FALSE(config.recording);
        config.recording = true;
    }
    EXPECT_EQ(Slurp(file),
              "CustomMemery: 500\nMaxBackLine: 8\nZoomType: KeepOffset\nGridLine: Auto\nHideBuildFrame: No\n"
              "HideBuildGrid: No\nHideBuildName: No\nHouseColor: ff1c00\nFactoryColor: ff1c00\n"
              "OtherBuildColor: ff1c00\nColorNames: 0\nRoad: Notice\nSaveTempRecFile\n"
              "LayoutMode: Beam\nLayoutTimeLimit: 10\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "ql.cfg.new"));
}

TEST_F(AppConfigTest, SingletonLivesBesideTheProgram)
{
    AppConfig& config = AppConfig::Instance();
    EXPECT_EQ(&config, &AppConfig::Instance());
    EXPECT_EQ(config.File().filename(), "ql.cfg");
    EXPECT_GE(config.memoryBudget, 100);
}

}  // namespace

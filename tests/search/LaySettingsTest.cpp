#include "config/AppConfig.h"
#include "demo/DemoTempFolder.h"
#include "platform/TextCodec.h"
#include "search/LaySettings.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class LaySettingsTest : public ::testing::Test {
protected:
    LaySettingsTest() { config.maxBackLine = 8; }

    DemoTempFolder folder;
    AppConfig config{folder.path / "ql.cfg"};
};

}  // namespace

TEST(LaySettingsParseTest, ReadsTheLeadingSignedNumberAndSaturates)
{
    EXPECT_EQ(LaySettings::ParseNumber("500"), 500);
    EXPECT_EQ(LaySettings::ParseNumber(" \t 42"), 42);
    EXPECT_EQ(LaySettings::ParseNumber("-17"), -17);
    EXPECT_EQ(LaySettings::ParseNumber("+9"), 9);
    EXPECT_EQ(LaySettings::ParseNumber("12abc"), 12);
    EXPECT_EQ(LaySettings::ParseNumber("0007"), 7);

    EXPECT_EQ(LaySettings::ParseNumber(""), 0);
    EXPECT_EQ(LaySettings::ParseNumber("   "), 0);
    EXPECT_EQ(LaySettings::ParseNumber("abc"), 0);
    EXPECT_EQ(LaySettings::ParseNumber("-"), 0);
    EXPECT_EQ(LaySettings::ParseNumber("--5"), 0);
    EXPECT_EQ(LaySettings::ParseNumber(platform::Utf8ToGb18030("五百")), 0);

    EXPECT_EQ(LaySettings::ParseNumber("2147483647"), 2147483647);
    EXPECT_EQ(LaySettings::ParseNumber("2147483648"), 2147483647);
    EXPECT_EQ(LaySettings::ParseNumber("99999999999999999999999999999"), 2147483647);
    EXPECT_EQ(LaySettings::ParseNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(LaySettings::ParseNumber("-99999999999999999999999999999"), -2147483647 - 1);
}

TEST_F(LaySettingsTest, FixedBudgetIsHeldToItsRangeAndTheCorrectionShown)
{
    EXPECT_EQ(LaySettings::Apply(config, false, "50", "8"), std::optional<std::int32_t>(100));
    EXPECT_FALSE(config.autoMemory);
    EXPECT_EQ(config.memoryBudget, 100);

    EXPECT_EQ(LaySettings::Apply(config, false, "5000", "8"), std::optional<std::int32_t>(2024));
    EXPECT_EQ(config.memoryBudget, 2024);

    // Within the range the edit keeps exactly what was typed.
    EXPECT_EQ(LaySettings::Apply(config, false, "100", "8"), std::nullopt);
    EXPECT_EQ(config.memoryBudget, 100);
    EXPECT_EQ(LaySettings::Apply(config, false, "2024", "8"), std::nullopt);
    EXPECT_EQ(config.memoryBudget, 2024);
}

TEST_F(LaySettingsTest, BadBudgetTextsEndAtTheLimits)
{
    EXPECT_EQ(LaySettings::Apply(config, false, "", "8"), std::optional<std::int32_t>(100));
    EXPECT_EQ(LaySettings::Apply(config, false, "garbage", "8"), std::optional<std::int32_t>(100));
    EXPECT_EQ(LaySettings::Apply(config, false, "-300", "8"), std::optional<std::int32_t>(100));
    EXPECT_EQ(LaySettings::Apply(config, false, "123456789012345678901234567890", "8"),
              std::optional<std::int32_t>(2024));
    EXPECT_EQ(config.memoryBudget, 2024);
}

TEST_F(LaySettingsTest, AutomaticChoiceLeavesTheBudgetAlone)
{
    config.autoMemory = false;
    config.memoryBudget = 700;
    EXPECT_EQ(LaySettings::Apply(config, true, "50", "8"), std::nullopt);
    EXPECT_TRUE(config.autoMemory);
    EXPECT_EQ(config.memoryBudget, 700);
}

TEST_F(LaySettingsTest, BackLinesAreHeldToZeroToHundred)
{
    LaySettings::Apply(config, true, "", "150");
    EXPECT_EQ(config.maxBackLine, 100);
    LaySettings::Apply(config, true, "", "-4");
    EXPECT_EQ(config.maxBackLine, 0);
    LaySettings::Apply(config, true, "", "99999999999999999999");
    EXPECT_EQ(config.maxBackLine, 100);
    LaySettings::Apply(config, true, "", "junk");
    EXPECT_EQ(config.maxBackLine, 0);
    LaySettings::Apply(config, true, "", " 12");
    EXPECT_EQ(config.maxBackLine, 12);
}

TEST_F(LaySettingsTest, MemoryTextShowsTheFiguresAndPlainTwoThirds)
{
    EXPECT_EQ(LaySettings::MemoryText(16000, 9000),
              platform::Utf8ToGb18030(
                  "自动 (你当前共有 16000 M 内存, 剩余 9000 M, 选择自动将会使用剩下内存的 2/3 约 6000 M 来用于搜索)"));
    // No 100..2048 limits here, unlike the budget itself.
    EXPECT_EQ(LaySettings::MemoryText(512, 100),
              platform::Utf8ToGb18030(
                  "自动 (你当前共有 512 M 内存, 剩余 100 M, 选择自动将会使用剩下内存的 2/3 约 66 M 来用于搜索)"));
    EXPECT_EQ(LaySettings::MemoryText(2147483647, 2147483647),
              platform::Utf8ToGb18030("自动 (你当前共有 2147483647 M 内存, 剩余 2147483647 M, "
                                      "选择自动将会使用剩下内存的 2/3 约 1431655764 M 来用于搜索)"));

    config.RefreshMemory({8000ull << 20, 3000ull << 20});
    EXPECT_EQ(LaySettings::MemoryText(config), LaySettings::MemoryText(8000, 3000));
}

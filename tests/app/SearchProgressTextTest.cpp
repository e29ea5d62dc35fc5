#include "platform/TextCodec.h"
#include "search/SearchControl.h"
#include "search/SearchProgressText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Gb(const std::string& utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

class SearchProgressTextTest : public ::testing::Test {
protected:
    void SetUp() override { SearchControl::Instance().ResetForRun(); }
    void TearDown() override { SearchControl::Instance().ResetForRun(); }
};

}  // namespace

TEST_F(SearchProgressTextTest, StopTakesEffectOnceAndRestartsTheDots)
{
    SearchProgressText progress;
    EXPECT_EQ(progress.Text().Chinese(), Gb("正在进行搜索,请稍候."));
    progress.Advance();
    progress.Advance();

    EXPECT_TRUE(progress.Stop());
    EXPECT_TRUE(SearchControl::Instance().stop);
    EXPECT_FALSE(SearchControl::Instance().cancel);
    EXPECT_EQ(progress.Text().Chinese(), Gb("正在整理已搜索的数据,请稍候.."));

    progress.Advance();
    EXPECT_FALSE(progress.Stop());
    EXPECT_EQ(progress.Text().Chinese(), Gb("正在整理已搜索的数据,请稍候..."));
}

TEST_F(SearchProgressTextTest, CancelWinsOverStop)
{
    SearchProgressText progress;
    progress.Stop();
    EXPECT_TRUE(progress.Cancel());
    EXPECT_TRUE(SearchControl::Instance().cancel);
    EXPECT_EQ(progress.Text().Chinese(), Gb("正在清理数据,请稍候.."));
    EXPECT_FALSE(progress.Cancel());
}

TEST_F(SearchProgressTextTest, DotsGrowToTenThenStartAgainAtOne)
{
    SearchProgressText progress;
    for (int i = 0; i < 9; ++i)
        progress.Advance();
    EXPECT_EQ(progress.Text().Chinese(), Gb("正在进行搜索,请稍候" + std::string(10, '.')));
    progress.Advance();
    EXPECT_EQ(progress.Text().Chinese(), Gb("正在进行搜索,请稍候."));
}

TEST_F(SearchProgressTextTest, CloseStopsThenCancelsThenDoesNothing)
{
    SearchProgressText progress;
    EXPECT_TRUE(progress.Close());
    EXPECT_TRUE(progress.Stopping());
    EXPECT_FALSE(progress.Cancelling());
    EXPECT_TRUE(progress.Close());
    EXPECT_TRUE(progress.Cancelling());
    EXPECT_FALSE(progress.Close());

    // Cancel first: a close still stops, and the text stays the cancelling one.
    SearchProgressText cancelled;
    cancelled.Cancel();
    EXPECT_TRUE(cancelled.Close());
    EXPECT_TRUE(cancelled.Stopping());
    EXPECT_EQ(cancelled.Text().Chinese(), Gb("正在清理数据,请稍候.."));
}

TEST_F(SearchProgressTextTest, CountsTextShowsComponentsAndKeptStates)
{
    EXPECT_EQ(SearchProgressText::CountsText(3, 7, 12345).Chinese(), Gb("已完成 3 / 7 个区域, 保留 12345 个状态"));
    // A state store far beyond 32 bits is shown whole.
    EXPECT_EQ(SearchProgressText::CountsText(0, 1, 5000000000LL).Chinese(), Gb("已完成 0 / 1 个区域, 保留 5000000000 个状态"));
}

TEST_F(SearchProgressTextTest, CurrentCountsFollowTheWorker)
{
    EXPECT_EQ(SearchProgressText::CurrentCountsText().Chinese(), Gb("已完成 0 / 0 个区域, 保留 0 个状态"));
    SearchControl& control = SearchControl::Instance();
    control.componentsTotal = 4;
    control.componentsDone = 1;
    control.statesKept = 250;
    EXPECT_EQ(SearchProgressText::CurrentCountsText().Chinese(), Gb("已完成 1 / 4 个区域, 保留 250 个状态"));
    control.ResetForRun();
    EXPECT_EQ(SearchProgressText::CurrentCountsText().Chinese(), Gb("已完成 0 / 0 个区域, 保留 0 个状态"));
}

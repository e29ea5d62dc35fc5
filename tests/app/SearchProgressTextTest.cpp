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
    EXPECT_EQ(progress.Text(), Gb("正在进行搜索,请稍候."));
    progress.Advance();
    progress.Advance();

    EXPECT_TRUE(progress.Stop());
    EXPECT_TRUE(SearchControl::Instance().stop);
    EXPECT_FALSE(SearchControl::Instance().cancel);
    EXPECT_EQ(progress.Text(), Gb("正在整理已搜索的数据,请稍候.."));

    progress.Advance();
    EXPECT_FALSE(progress.Stop());
    EXPECT_EQ(progress.Text(), Gb("正在整理已搜索的数据,请稍候..."));
}

TEST_F(SearchProgressTextTest, CancelWinsOverStop)
{
    SearchProgressText progress;
    progress.Stop();
    EXPECT_TRUE(progress.Cancel());
    EXPECT_TRUE(SearchControl::Instance().cancel);
    EXPECT_EQ(progress.Text(), Gb("正在清理数据,请稍候.."));
    EXPECT_FALSE(progress.Cancel());
}

TEST_F(SearchProgressTextTest, DotsGrowToTenThenStartAgainAtOne)
{
    SearchProgressText progress;
    for (int i = 0; i < 9; ++i)
        progress.Advance();
    EXPECT_EQ(progress.Text(), Gb("正在进行搜索,请稍候" + std::string(10, '.')));
    progress.Advance();
    EXPECT_EQ(progress.Text(), Gb("正在进行搜索,请稍候."));
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
    EXPECT_EQ(cancelled.Text(), Gb("正在清理数据,请稍候.."));
}

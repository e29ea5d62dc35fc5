#include "cmd/EditCommands.h"
#include "cmd/RunLine_CMD.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

namespace {

template <class Command>
std::string Written(const typename Command::RecordType& record)
{
    std::ostringstream out;
    EXPECT_TRUE(Command{record}.Write(out));
    return out.str();
}

template <class Command>
void ExpectTextAndRoundTrip(const typename Command::RecordType& record, const std::string& text)
{
    SCOPED_TRACE(Command::kName);
    EXPECT_EQ(Written<Command>(record), text);
    std::istringstream in(text);
    Command read;
    ASSERT_TRUE(read.Read(in));
    EXPECT_EQ(read.data, record);
}

// What is left of the stream after a failed read, to see where it stopped.
std::string Remainder(std::istringstream& in)
{
    in.clear();
    std::string rest;
    std::getline(in, rest);
    return rest;
}

TEST(CommandTextTest, EveryCommandWritesItsWordsAndArgumentsAndReadsThemBack)
{
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::string depot = platform::Utf8ToGb18030("仓库");

    ExpectTextAndRoundTrip<FillSoil_CMD>({10, 20, 5, 3}, "##fill soil 10 20 5 3 ");
    ExpectTextAndRoundTrip<FillRoad_CMD>({0, 0, 1, 1}, "##fill road 0 0 1 1 ");
    ExpectTextAndRoundTrip<FillWall_CMD>({-1, 2, kMax, kMin}, "##fill wall -1 2 2147483647 -2147483648 ");
    ExpectTextAndRoundTrip<FillBalk_CMD>({248, 248, 0, 0}, "##fill balk 248 248 0 0 ");
    ExpectTextAndRoundTrip<AddBuild_CMD>({7, 8, 3, 2, "", DefaultColour}, "build 7 8 3 2 <NULL> ffffffff");
    ExpectTextAndRoundTrip<DelBuild_CMD>({10, 10, 5, 4, "", 0}, "break 10 10 5 4 <NULL> 0");
    ExpectTextAndRoundTrip<RenameBuild_CMD>({1, 2, 4, 4, "Mill", 0xFF1C00}, "##rename 1 2 4 4 Mill ff1c00");
    ExpectTextAndRoundTrip<RecolorBuild_CMD>({1, 2, 4, 4, depot, 0x0000FF}, "##recolor 1 2 4 4 " + depot + " ff");
    ExpectTextAndRoundTrip<AddMark_CMD>({5, 5, 5, 30}, "mark 5 5     5 30");
    ExpectTextAndRoundTrip<DelMark_CMD>({-3, 0, 249, kMax}, "delete mark -3 0     249 2147483647");
    ExpectTextAndRoundTrip<ClearScene_CMD>({}, "clear scene ");
    ExpectTextAndRoundTrip<ClearBuild_CMD>({}, "clear build ");
    ExpectTextAndRoundTrip<ClearMark_CMD>({}, "clear mark ");
    ExpectTextAndRoundTrip<SearchLayMap_CMD>({}, "##lay map ");
    ExpectTextAndRoundTrip<PrepareLayRect_CMD>({}, "##lay prepare ");
    ExpectTextAndRoundTrip<SearchLayRect_CMD>({0, 0, 250, 250}, "##lay rect 0 0 250 250 ");
    ExpectTextAndRoundTrip<StartLayRect_CMD>({}, "##ay start ");
}

TEST(CommandTextTest, ReadStopsAtTheFirstWordThatIsNotTheCommands)
{
    std::istringstream road("##fill road 1 2 3 4 ");
    FillSoil_CMD soil;
    EXPECT_FALSE(soil.Read(road));
    EXPECT_EQ(Remainder(road), " 1 2 3 4 ");

    std::istringstream layStart("##lay start ");
    EXPECT_FALSE(StartLayRect_CMD{}.Read(layStart));
    std::istringstream capital("Build 1 1 3 2 <NULL> 0");
    EXPECT_FALSE(AddBuild_CMD{}.Read(capital));
    std::istringstream cut("delete");
    EXPECT_FALSE(DelMark_CMD{}.Read(cut));
}

TEST(CommandTextTest, ReadFailsOnMissingOrMalformedArguments)
{
    for (const char* line : {"##fill soil 1 2 3", "##fill soil 1 2 x 4", "##fill soil 1,2 3 4"}) {
        std::istringstream in(line);
        EXPECT_FALSE(FillSoil_CMD{}.Read(in)) << line;
    }
    for (const char* line : {"build 1 2 3 2", "build 1 2 3 2 <NULL>", "build 1 2 3 2 <NULL> xyz"}) {
        std::istringstream in(line);
        EXPECT_FALSE(AddBuild_CMD{}.Read(in)) << line;
    }
    std::istringstream mark("mark 1 2     3");
    EXPECT_FALSE(AddMark_CMD{}.Read(mark));
}

TEST(CommandTextTest, NumbersBeyond32BitsFailAndLeaveTheFieldAlone)
{
    for (const char* line : {"##fill soil 2147483648 0 1 1", "##fill soil -2147483649 0 1 1",
                             "##fill soil 99999999999999999999 0 1 1"}) {
        std::istringstream in(line);
        FillSoil_CMD soil(GridRect{7, 7, 7, 7});
        EXPECT_FALSE(soil.Read(in)) << line;
        EXPECT_EQ(soil.data.x, 7) << line;
    }
    // A sign would let an unsigned read wrap "-1" round to ffffffff.
    for (const char* colour : {"100000000", "-1", "-ff", "+ff"}) {
        std::istringstream in(std::string("build 1 2 3 2 <NULL> ") + colour);
        AddBuild_CMD build(Build{0, 0, 0, 0, "", 0x123});
        EXPECT_FALSE(build.Read(in)) << colour;
        EXPECT_EQ(build.data.colour, 0x123u) << colour;
    }
}

TEST(CommandTextTest, ANameWithBlanksStaysOneWordSoItsColourSurvives)
{
    const std::string written = Written<AddBuild_CMD>({1, 1, 4, 4, "my house\tand\r\nyard", 0x10});
    EXPECT_EQ(written, "build 1 1 4 4 my\xA1\xA1house\xA1\xA1" "and\xA1\xA1\xA1\xA1yard 10");

    std::istringstream in(written);
    AddBuild_CMD read;
    ASSERT_TRUE(read.Read(in));
    EXPECT_EQ(read.data.colour, 0x10u);
    EXPECT_EQ(read.data.name, "my\xA1\xA1house\xA1\xA1" "and\xA1\xA1\xA1\xA1yard");
}

TEST(CommandTextTest, TextIgnoresAndKeepsTheStreamsNumberBase)
{
    std::ostringstream out;
    out << std::hex;
    AddBuild_CMD{Build{10, 11, 3, 2, "", 0xAB}}.Write(out);
    out << ' ' << 255;
    EXPECT_EQ(out.str(), "build 10 11 3 2 <NULL> ab ff");

    std::istringstream in("build 10 11 3 2 <NULL> ab 10");
    in >> std::hex;
    AddBuild_CMD build;
    ASSERT_TRUE(build.Read(in));
    EXPECT_EQ(build.data, (Build{10, 11, 3, 2, "", 0xAB}));
    int after = 0;
    in >> after;
    EXPECT_EQ(after, 16);
}

TEST(CommandTextTest, RunLineWritesAndReadsOneLineAsItStands)
{
    std::ostringstream out;
    EXPECT_TRUE(RunLine_CMD(" tip 1 2  hello").Write(out));
    EXPECT_EQ(out.str(), " tip 1 2  hello");

    std::istringstream in(" tip 1 2  hello\r\nnext line");
    RunLine_CMD read;
    ASSERT_TRUE(read.Read(in));
    EXPECT_EQ(read.Line(), " tip 1 2  hello");
    ASSERT_TRUE(read.Read(in));
    EXPECT_EQ(read.Line(), "next line");
    EXPECT_FALSE(read.Read(in));

    // A recorded line must not smuggle a second command into an exported script.
    EXPECT_EQ(RunLine_CMD("clear mark\n.clear scene").Line(), "clear mark");
    EXPECT_EQ(RunLine_CMD("clear mark\r\n").Line(), "clear mark");
}

}  // namespace

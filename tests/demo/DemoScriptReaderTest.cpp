#include "DemoTempFolder.h"
#include "demo/DemoScriptReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::string kHead = "QuarrinLayvane Demo Script File. Version 1.0\n";

std::optional<DemoScript> Parse(const std::string& text)
{
    std::istringstream in(text);
    return DemoScriptReader::Read(in, "somewhere");
}

DemoScript ParseValid(const std::string& text)
{
    auto script = Parse(text);
    EXPECT_TRUE(script.has_value());
    return script.value_or(DemoScript{});
}

TEST(DemoScriptReaderTest, ReadsTheFileTheRecorderWrites)
{
    const auto script = ParseValid(kHead +
                                   ">title My Show\n"
                                   ">author Someone\n"
                                   ">date 2009-3-7\n"
                                   ">speed 1\n"
                                   ">pre\n"
                                   ",load My Show\n"
                                   ">start\n"
                                   ".build 10 10 3 2 <NULL> ffffffff\n"
                                   ".center 125 125\n"
                                   ">end\n");
    EXPECT_EQ(script.Title(), " My Show");
    EXPECT_EQ(script.Author(), " Someone");
    EXPECT_EQ(script.Date(), " 2009-3-7");
    EXPECT_EQ(script.Section("speed").value, " 1");
    EXPECT_EQ(script.Pre(), Lines{",load My Show"});
    EXPECT_EQ(script.Start(), (Lines{".build 10 10 3 2 <NULL> ffffffff", ".center 125 125"}));
    EXPECT_EQ(script.sections.count("end"), 0u);
    EXPECT_EQ(script.folder, std::filesystem::path("somewhere"));
}

TEST(DemoScriptReaderTest, MagicWordsMaySpreadOverAnyBlanks)
{
    const auto script = ParseValid("\r\n  QuarrinLayvane\tDemo\n\nScript   File.\r\nVersion\v1.0\n"
                                   ">title x\n>end\n");
    EXPECT_EQ(script.Title(), " x");
}

TEST(DemoScriptReaderTest, AnyOtherStartIsInvalid)
{
    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(Parse("QuarrinLayvane Demo Script File. Version 1.1\n>end\n"));
    EXPECT_FALSE(Parse("QuarrinLayvane Demo Script File Version 1.0\n>end\n"));
    EXPECT_FALSE(Parse("quarrinlayvane Demo Script File. Version 1.0\n>end\n"));
    EXPECT_FALSE(Parse("QuarrinLayvane Demo Script File. Version 1.0x\n>end\n"));
    EXPECT_FALSE(Parse("QuarrinLayvane Demo Script File. Version"));
    EXPECT_FALSE(Parse("# QuarrinLayvane Demo Script File. Version 1.0\n"));
    EXPECT_FALSE(Parse("\xEF\xBB\xBFQuarrinLayvane Demo Script File. Version 1.0\n"));
}

TEST(DemoScriptReaderTest, MagicWordsAloneGiveAnEmptyScript)
{
    const auto script = ParseValid("QuarrinLayvane Demo Script File. Version 1.0");
    EXPECT_TRUE(script.sections.empty());
    EXPECT_EQ(script.Title(), "");
    EXPECT_TRUE(script.Start().empty());
}

TEST(DemoScriptReaderTest, RestOfTheFirstLineIsTheFirstLine)
{
    const auto script = ParseValid("QuarrinLayvane Demo Script File. Version 1.0 >title Tail\n>end\n");
    // The first line is " >title Tail": it starts with a blank, so it is a body line.
    EXPECT_EQ(script.Section("").lines, Lines{" >title Tail"});

    const auto header = ParseValid("QuarrinLayvane Demo Script File. Version 1.0\n>title Next\n>end\n");
    EXPECT_EQ(header.Title(), " Next");
}

TEST(DemoScriptReaderTest, LinesBeforeTheFirstHeaderAreKeptUnderTheEmptyKey)
{
    const auto script = ParseValid(kHead + "free text\nmore\n>title T\n>end\n");
    EXPECT_EQ(script.Section("").lines, (Lines{"free text", "more"}));
    EXPECT_EQ(script.Section("").value, "");
}

TEST(DemoScriptReaderTest, WithoutAHeaderNothingIsKept)
{
    const auto script = ParseValid(kHead + "free text\nmore\n");
    EXPECT_TRUE(script.sections.empty());
}

TEST(DemoScriptReaderTest, MissingEndLosesTheLastSection)
{
    const auto script = ParseValid(kHead + ">title T\n>start\n.center 1 1\n.center 2 2\n");
    EXPECT_EQ(script.Title(), " T");
    EXPECT_EQ(script.sections.count("start"), 0u);
    EXPECT_TRUE(script.Start().empty());
}

TEST(DemoScriptReaderTest, CommentsAndShortLinesAreIgnored)
{
    const auto script = ParseValid(kHead +
                                   ">start\n"
                                   "# a comment\n"
                                   "#\n"
                                   "// another\n"
                                   ".\n"
                                   "x\n"
                                   "\n"
                                   "/ not a comment\n"
                                   " #neither\n"
                                   ".zoom 2\n"
                                   ">end\n");
    EXPECT_EQ(script.Start(), (Lines{"/ not a comment", " #neither", ".zoom 2"}));
}

TEST(DemoScriptReaderTest, CommentedHeaderIsNoHeader)
{
    const auto script = ParseValid(kHead + ">title A\n#>title B\n//>title C\n>end\n");
    EXPECT_EQ(script.Title(), " A");
}

TEST(DemoScriptReaderTest, SecondHeaderOfAKeyReplacesTheFirst)
{
    const auto script = ParseValid(kHead + ">title First\n>start\n.a 1\n>title Second\n>start\n.b 2\n>end\n");
    EXPECT_EQ(script.Title(), " Second");
    EXPECT_EQ(script.Start(), Lines{".b 2"});
}

TEST(DemoScriptReaderTest, HeaderValueKeepsTheSeparatingBlank)
{
    const auto script = ParseValid(kHead +
                                   ">author \xD5\xC5\xC8\xFD\n"  // a Chinese name in the code page
                                   ">title\tTabbed  twice \n"
                                   ">date\n"
                                   ">  pre  tail\n"
                                   ">end\n");
    EXPECT_EQ(script.Author(), " \xD5\xC5\xC8\xFD");
    EXPECT_EQ(script.Title(), "\tTabbed  twice ");
    EXPECT_EQ(script.Date(), "");
    EXPECT_EQ(script.Section("pre").value, "  tail");
}

TEST(DemoScriptReaderTest, HeaderWithoutAWordUsesTheEmptyKey)
{
    const auto script = ParseValid(kHead + ">title T\n>  \nbody\n>end\n");
    EXPECT_EQ(script.Section("").lines, Lines{"body"});
    EXPECT_EQ(script.Title(), " T");
}

TEST(DemoScriptReaderTest, KeysAreComparedExactly)
{
    const auto script = ParseValid(kHead + ">Title Big\n>title small\n>end\n");
    EXPECT_EQ(script.Title(), " small");
    EXPECT_EQ(script.Section("Title").value, " Big");
}

TEST(DemoScriptReaderTest, PlusContinuesALine)
{
    const auto script = ParseValid(kHead + ">start\n.say Hello, +\nwide +\nworld\n.zoom 1\n>end\n");
    EXPECT_EQ(script.Start(), (Lines{".say Hello, wide world", ".zoom 1"}));
}

TEST(DemoScriptReaderTest, JoinedLineIsNotCheckedForCommentOrLength)
{
    const auto script = ParseValid(kHead +
                                   ">start\n"
                                   "x+\n"
                                   "\n"        // joined: "x", kept although short
                                   "/+\n"
                                   "/ text\n"  // joined: "// text", kept although a comment
                                   "#+\n"      // a comment: not joined, the next line stays
                                   ".after\n"
                                   ">end\n");
    EXPECT_EQ(script.Start(), (Lines{"x", "// text", ".after"}));
}

TEST(DemoScriptReaderTest, SinglePlusIsAShortLine)
{
    const auto script = ParseValid(kHead + ">start\n+\n.kept\n>end\n");
    EXPECT_EQ(script.Start(), Lines{".kept"});
}

TEST(DemoScriptReaderTest, JoinedLineCanBecomeAHeader)
{
    const auto script = ParseValid(kHead + ">tit+\nle Joined\n>end\n");
    EXPECT_EQ(script.Title(), " Joined");
}

TEST(DemoScriptReaderTest, JoinRunningIntoTheEndSwallowsTheRest)
{
    // Everything from ".a+" on is one line in the open section, which is dropped.
    const auto script = ParseValid(kHead + ">start\n.a+\n.b+\n>end+");
    EXPECT_TRUE(script.Start().empty());

    const auto header = ParseValid(kHead + ">title x+\ny+\n");
    EXPECT_EQ(header.sections.count("title"), 0u);
}

TEST(DemoScriptReaderTest, UnfinishedJoinedHeaderStillClosesTheSection)
{
    // A header ending in "+" at the very end stays a header and still closes "start".
    const auto script = ParseValid(kHead + ">start\n.a 1\n>end x+\n");
    EXPECT_EQ(script.Start(), Lines{".a 1"});
    const auto tail = ParseValid(kHead + ">title T+");
    EXPECT_TRUE(tail.sections.count("title") == 0);
    const auto kept = ParseValid(kHead + ">start\n>title T+");
    EXPECT_EQ(kept.sections.count("start"), 1u);
    EXPECT_EQ(kept.sections.count("title"), 0u);
}

TEST(DemoScriptReaderTest, CarriageReturnBeforeLineFeedIsDropped)
{
    const auto script = ParseValid("QuarrinLayvane Demo Script File. Version 1.0\r\n"
                                   ">title My Show\r\n"
                                   ">start\r\n"
                                   ".a +\r\n"
                                   "b\r\n"
                                   ".\r\n"
                                   ">end\r\n");
    EXPECT_EQ(script.Title(), " My Show");
    EXPECT_EQ(script.Start(), Lines{".a b"});
}

TEST(DemoScriptReaderTest, BodyLinesAreKeptUnchanged)
{
    const auto script = ParseValid(kHead + ">start\n  .a  \t\n.b\xFF\x80\n>end\n");
    EXPECT_EQ(script.Start(), (Lines{"  .a  \t", ".b\xFF\x80"}));
}

TEST(DemoScriptReaderTest, EmbeddedZeroBytesSurvive)
{
    const std::string text = kHead + ">start\n." + std::string("a\0b", 3) + "\n>end\n";
    const auto script = ParseValid(text);
    ASSERT_EQ(script.Start().size(), 1u);
    EXPECT_EQ(script.Start()[0], std::string(".a\0b", 4));
}

TEST(DemoScriptReaderTest, HugeLineAndEndlessJoinAreRead)
{
    const std::string huge(3 * 1024 * 1024, 'x');
    const auto script = ParseValid(kHead + ">start\n." + huge + "\n>end\n");
    ASSERT_EQ(script.Start().size(), 1u);
    EXPECT_EQ(script.Start()[0].size(), huge.size() + 1);

    std::string endless = kHead + ">title a+\n";
    for (int i = 0; i < 100000; ++i)
        endless += "b+\n";
    const auto joined = ParseValid(endless + ">end\n");
    // Every line ended in "+", so everything up to the end was swallowed.
    EXPECT_EQ(joined.sections.count("title"), 0u);
    const auto stored = ParseValid(endless + "c\n>end\n");
    EXPECT_EQ(stored.Title().size(), 2u + 100000u + 1u);
}

TEST(DemoScriptReaderTest, ThousandsOfSections)
{
    std::string text = kHead;
    for (int i = 0; i < 20000; ++i)
        text += ">k" + std::to_string(i) + " v\n.line\n";
    const auto script = ParseValid(text + ">end\n");
    EXPECT_EQ(script.sections.size(), 20000u + 1u);  // and the empty key
    EXPECT_EQ(script.Section("k19999").lines, Lines{".line"});
}

TEST(DemoScriptReaderTest, ReadFileSetsTheFoldersOwnPath)
{
    DemoTempFolder temp;
    const auto file = temp.Write("sub/show.qld", kHead + ">title T\n>end\n");
    const auto script = DemoScriptReader::ReadFile(file);
    ASSERT_TRUE(script);
    EXPECT_EQ(script->folder, temp.path / "sub");
    EXPECT_EQ(script->Title(), " T");
}

TEST(DemoScriptReaderTest, MissingFileIsInvalid)
{
    DemoTempFolder temp;
    EXPECT_FALSE(DemoScriptReader::ReadFile(temp.path / "absent.qld"));
    EXPECT_FALSE(DemoScriptReader::ReadFile(temp.path));  // a folder, not a file
}

}  // namespace

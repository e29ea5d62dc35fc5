#include "demo/DemoCatalogue.h"
#include "panels/DemoGroupState.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <fstream>
#include <string>

namespace {

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

DemoScript Script(const std::string& title, const std::string& author, const std::string& date)
{
    DemoScript script;
    script.sections["title"].value = title;
    script.sections["author"].value = author;
    script.sections["date"].value = date;
    return script;
}

class DemoGroupStateTest : public ::testing::Test {
protected:
    void ThreeScripts(int selected)
    {
        catalogue.entries = {Script("a", "x", "2009-3-7"), Script(Gb("城"), Gb("李"), "2010-1-1"),
                             Script("c", "z", "")};
        catalogue.selected = selected;
    }

    DemoCatalogue catalogue;
    DemoGroupState group{catalogue};
};

TEST_F(DemoGroupStateTest, WithoutScriptsNothingCanBeStarted)
{
    EXPECT_EQ(group.Counter(), "0 / 0");
    EXPECT_EQ(group.Label().Chinese(), Gb("无"));
    EXPECT_FALSE(group.CanStart());
    EXPECT_FALSE(group.CanGoBack());
    EXPECT_FALSE(group.CanGoForward());
    group.Next();
    group.Previous();
    EXPECT_EQ(catalogue.selected, 0);
}

TEST_F(DemoGroupStateTest, AnIndexLeftOverFromAnEarlierScanShowsAsNone)
{
    catalogue.selected = 2;
    EXPECT_EQ(group.Counter(), "0 / 0");
    EXPECT_FALSE(group.CanGoBack());
    group.Previous();
    EXPECT_EQ(catalogue.selected, 2);
}

TEST_F(DemoGroupStateTest, TheLastOfThreeScriptsCanOnlyGoBack)
{
    ThreeScripts(3);
    EXPECT_EQ(group.Counter(), "3 / 3");
    EXPECT_FALSE(group.CanGoForward());
    EXPECT_TRUE(group.CanGoBack());
    EXPECT_TRUE(group.CanStart());
    EXPECT_EQ(group.Label().Chinese(), Gb(" 名称: c\r\n 作者: z ()"));
    group.Next();
    EXPECT_EQ(catalogue.selected, 3);
}

TEST_F(DemoGroupStateTest, TheFirstCanOnlyGoForwardAndMovesStopAtTheEnds)
{
    ThreeScripts(1);
    EXPECT_EQ(group.Counter(), "1 / 3");
    EXPECT_FALSE(group.CanGoBack());
    EXPECT_TRUE(group.CanGoForward());
    EXPECT_EQ(group.Label().Chinese(), Gb(" 名称: a\r\n 作者: x (2009-3-7)"));

    group.Next();
    EXPECT_EQ(group.Counter(), "2 / 3");
    EXPECT_EQ(group.Label().Chinese(), Gb(" 名称: 城\r\n 作者: 李 (2010-1-1)"));
    group.Next();
    group.Next();
    EXPECT_EQ(catalogue.selected, 3);
    group.Previous();
    group.Previous();
    group.Previous();
    EXPECT_EQ(catalogue.selected, 1);
}

TEST_F(DemoGroupStateTest, NoSelectionAmongScriptsStartsFromTheFirstOnNext)
{
    ThreeScripts(0);
    EXPECT_EQ(group.Counter(), "0 / 3");
    EXPECT_FALSE(group.CanStart());
    EXPECT_EQ(group.Label().Chinese(), Gb("无"));
    group.Next();
    EXPECT_EQ(catalogue.selected, 1);
    EXPECT_TRUE(group.CanStart());
}

TEST_F(DemoGroupStateTest, ScriptsFoundOnDiskAreShownInNameOrder)
{
    namespace fs = std::filesystem;
    // Other build folders may run the same tests at the same time.
    const fs::path folder = fs::temp_directory_path() / ("ql-demo-group-" + std::to_string(std::random_device{}()));
    fs::remove_all(folder);
    fs::create_directories(folder / "auto");
    for (const char* name : {"b", "a", "auto/c"}) {
        std::ofstream(folder / (std::string(name) + ".qld"))
            << "QuarrinLayvane Demo Script File. Version 1.0\r\n>title " << name
            << "\r\n>author me\r\n>date 2009-3-7\r\n>end\r\n";
    }
    catalogue.Rescan(folder);
    fs::remove_all(folder);
    EXPECT_EQ(group.Counter(), "1 / 3");
    // Header values keep the blank after their key.
    EXPECT_EQ(group.Label().Chinese(), Gb(" 名称:  a\r\n 作者:  me ( 2009-3-7)"));
}

}  // namespace

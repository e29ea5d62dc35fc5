#include "DemoTempFolder.h"
#include "demo/DemoCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string Script(const std::string& title)
{
    return "QuarrinLayvane Demo Script File. Version 1.0\n>title " + title + "\n>end\n";
}

std::vector<std::string> Titles(const DemoCatalogue& catalogue)
{
    std::vector<std::string> titles;
    for (const DemoScript& script : catalogue.entries)
        titles.push_back(script.Title().substr(1));
    return titles;
}

using Names = std::vector<std::string>;

TEST(DemoCatalogueTest, MissingFolderGivesAnEmptyCatalogue)
{
    DemoTempFolder temp;
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path / "demo");
    EXPECT_TRUE(catalogue.entries.empty());
    EXPECT_EQ(catalogue.selected, 0);
    EXPECT_EQ(catalogue.Selected(), nullptr);
}

TEST(DemoCatalogueTest, FoundScriptsSelectTheFirst)
{
    DemoTempFolder temp;
    temp.Write("b.qld", Script("B"));
    temp.Write("a.qld", Script("A"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue), (Names{"A", "B"}));
    EXPECT_EQ(catalogue.selected, 1);
    ASSERT_NE(catalogue.Selected(), nullptr);
    EXPECT_EQ(catalogue.Selected()->Title(), " A");
    EXPECT_EQ(catalogue.Selected()->folder, temp.path);
}

TEST(DemoCatalogueTest, RescanSelectsTheFirstAgain)
{
    DemoTempFolder temp;
    temp.Write("a.qld", Script("A"));
    temp.Write("b.qld", Script("B"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    catalogue.selected = 2;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(catalogue.entries.size(), 2u);
    EXPECT_EQ(catalogue.selected, 1);
}

TEST(DemoCatalogueTest, EmptyRescanKeepsSelectedButSelectsNothing)
{
    DemoTempFolder temp;
    temp.Write("a.qld", Script("A"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    ASSERT_EQ(catalogue.selected, 1);
    fs::remove(temp.path / "a.qld");
    catalogue.Rescan(temp.path);
    EXPECT_TRUE(catalogue.entries.empty());
    EXPECT_EQ(catalogue.selected, 1);
    EXPECT_EQ(catalogue.Selected(), nullptr);
}

TEST(DemoCatalogueTest, SelectedOutOfRangeSelectsNothing)
{
    DemoTempFolder temp;
    temp.Write("a.qld", Script("A"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    for (int bad : {0, -1, 2, 1000}) {
        catalogue.selected = bad;
        EXPECT_EQ(catalogue.Selected(), nullptr) << bad;
    }
}

TEST(DemoCatalogueTest, NamesAreMatchedByTheirExactEnding)
{
    DemoTempFolder temp;
    temp.Write(".qld", Script("Dot only"));  // four characters, and hidden
    temp.Write("a.qld", Script("Short"));
    temp.Write("b.QLD", Script("Upper"));
    temp.Write("c.Qld", Script("Mixed"));
    temp.Write("d.qld.txt", Script("Trailing"));
    temp.Write("e.qlm", Script("Map"));
    temp.Write("fqld", Script("No dot"));
    temp.Write("xqld", Script("Four letters"));
    temp.Write("y.qld ", Script("Trailing blank"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue), Names{"Short"});
}

TEST(DemoCatalogueTest, FiveCharacterNameWithoutDotBeforeTheEndingIsListed)
{
    // Five characters are enough, but a leading "." hides a name of any length.
    DemoTempFolder temp;
    temp.Write("x.qld", Script("X"));
    temp.Write("..qld", Script("Hidden"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue), Names{"X"});
}

TEST(DemoCatalogueTest, HiddenFilesAndFoldersAreSkipped)
{
    DemoTempFolder temp;
    temp.Write(".hidden.qld", Script("Hidden file"));
    temp.Write(".git/in.qld", Script("Hidden folder"));
    temp.Write("shown.qld", Script("Shown"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue), Names{"Shown"});
}

TEST(DemoCatalogueTest, InvalidFilesAreLeftOut)
{
    DemoTempFolder temp;
    temp.Write("empty.qld", "");
    temp.Write("wrong.qld", "QuarrinLayvane Demo Script File. Version 2.0\n>title W\n>end\n");
    temp.Write("binary.qld", std::string("\0\xFF\x01QuarrinLayvane", 17));
    temp.Write("good.qld", Script("Good"));
    fs::create_directories(temp.path / "folder.qld");  // a folder with the ending is scanned, not read
    temp.Write("folder.qld/inner.qld", Script("Inner"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue), (Names{"Inner", "Good"}));
}

TEST(DemoCatalogueTest, SubfoldersAreInsertedWhereTheyAppearByName)
{
    DemoTempFolder temp;
    temp.Write("a.qld", Script("a"));
    temp.Write("B/one.qld", Script("B/one"));
    temp.Write("B/deep/er/x.qld", Script("B/deep/er/x"));
    temp.Write("B/two.qld", Script("B/two"));
    temp.Write("c.qld", Script("c"));
    temp.Write("auto/rec.qld", Script("auto/rec"));
    temp.Write("Z.qld", Script("Z"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue),
              (Names{"a", "auto/rec", "B/deep/er/x", "B/one", "B/two", "c", "Z"}));
    EXPECT_EQ(catalogue.entries[1].folder, temp.path / "auto");
    EXPECT_EQ(catalogue.entries[2].folder, temp.path / "B" / "deep" / "er");
}

TEST(DemoCatalogueTest, OrderIgnoresCaseAndIsStable)
{
    DemoTempFolder temp;
    for (const char* name : {"delta", "Alpha", "charlie", "Bravo", "alpha2", "ALPHA1"})
        temp.Write(std::string(name) + ".qld", Script(name));
    DemoCatalogue first;
    first.Rescan(temp.path);
    EXPECT_EQ(Titles(first), (Names{"Alpha", "ALPHA1", "alpha2", "Bravo", "charlie", "delta"}));
    DemoCatalogue second;
    second.Rescan(temp.path);
    EXPECT_EQ(Titles(first), Titles(second));
}

TEST(DemoCatalogueTest, ScriptFolderFollowsTheScannedPath)
{
    DemoTempFolder temp;
    temp.Write("demo/auto/My Show.qld", Script("My Show"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path / "demo");
    ASSERT_EQ(catalogue.entries.size(), 1u);
    EXPECT_EQ(catalogue.entries[0].folder, temp.path / "demo" / "auto");
}

TEST(DemoCatalogueTest, SymlinkLoopsAreNotFollowed)
{
    DemoTempFolder temp;
    temp.Write("a/one.qld", Script("one"));
    std::error_code ec;
    fs::create_directory_symlink(temp.path, temp.path / "a" / "up", ec);
    if (ec)
        GTEST_SKIP() << "no symbolic links here";
    fs::create_directory_symlink(temp.path / "a", temp.path / "a" / "self", ec);
    fs::create_symlink(temp.path / "nowhere", temp.path / "dangling.qld", ec);
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue), Names{"one"});
}

TEST(DemoCatalogueTest, LinkedFolderOutsideIsScannedOnce)
{
    DemoTempFolder temp;
    temp.Write("elsewhere/shared.qld", Script("shared"));
    std::error_code ec;
    fs::create_directories(temp.path / "demo");
    fs::create_directory_symlink(temp.path / "elsewhere", temp.path / "demo" / "l1", ec);
    if (ec)
        GTEST_SKIP() << "no symbolic links here";
    fs::create_directory_symlink(temp.path / "elsewhere", temp.path / "demo" / "l2", ec);
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path / "demo");
    EXPECT_EQ(Titles(catalogue), Names{"shared"});
}

#ifndef _WIN32
TEST(DemoCatalogueTest, UnreadableFolderAndFileAreSkipped)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    DemoTempFolder temp;
    temp.Write("closed/in.qld", Script("closed"));
    temp.Write("locked.qld", Script("locked"));
    temp.Write("open.qld", Script("open"));
    fs::permissions(temp.path / "closed", fs::perms::none);
    fs::permissions(temp.path / "locked.qld", fs::perms::none);
    DemoCatalogue catalogue;
    EXPECT_NO_THROW(catalogue.Rescan(temp.path));
    EXPECT_EQ(Titles(catalogue), Names{"open"});
    fs::permissions(temp.path / "closed", fs::perms::owner_all);
}

TEST(DemoCatalogueTest, PipeWithTheEndingIsNotOpened)
{
    DemoTempFolder temp;
    const auto pipe = temp.path / "pipe.qld";
    if (::mkfifo(pipe.c_str(), 0600) != 0)
        GTEST_SKIP() << "no named pipes here";
    temp.Write("real.qld", Script("real"));
    DemoCatalogue catalogue;
    catalogue.Rescan(temp.path);
    EXPECT_EQ(Titles(catalogue), Names{"real"});
}
#endif

}  // namespace

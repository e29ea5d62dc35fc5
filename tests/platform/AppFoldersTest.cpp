#include "platform/AppFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::AppFolders;

class AppFoldersTest : public ::testing::Test {
protected:
    AppFoldersTest()
    {
        fs::remove_all(root);
        fs::create_directories(root);
    }
    ~AppFoldersTest() override { fs::remove_all(root); }

    AppFolders::Environment Environment(bool writable) const
    {
        return {[this](const char* name) -> std::optional<std::string> {
                    const auto found = variables.find(name);
                    return found == variables.end() ? std::nullopt : std::optional<std::string>(found->second);
                },
                [writable](const fs::path&) { return writable; }};
    }

    // One folder a test: CTest runs the tests of this file side by side.
    const fs::path root = fs::temp_directory_path() /
                          (std::string("ql-app-folders-") +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::map<std::string, std::string> variables{{"HOME", (root / "home").string()}};
};

}  // namespace

TEST_F(AppFoldersTest, TheBuildFolderKeepsEverythingBesideTheProgram)
{
    const fs::path build = root / "build";
    fs::create_directories(build / "demo");
    const AppFolders folders = AppFolders::Find(build, Environment(true));
    EXPECT_FALSE(folders.Installed());
    EXPECT_EQ(folders.dataFolder, build);
    EXPECT_EQ(folders.workFolder, build);
    EXPECT_EQ(folders.settingsFile, build / "ql.cfg");
    EXPECT_EQ(folders.DemoFolders(), (std::vector<fs::path>{build / "demo"}));

    // The real probe finds the folder writable and leaves nothing behind.
    EXPECT_EQ(AppFolders::Find(build, AppFolders::SystemEnvironment()).workFolder, build);
    EXPECT_EQ(std::distance(fs::directory_iterator(build), fs::directory_iterator()), 1);

    // Nor do the test programs, with no samples beside them and nothing installed, use the user's folders.
    const fs::path tests = build / "tests";
    fs::create_directories(tests);
    EXPECT_EQ(AppFolders::Find(tests, Environment(true)).settingsFile, tests / "ql.cfg");
    EXPECT_FALSE(AppFolders::Find(tests, Environment(true)).Installed());
}

TEST_F(AppFoldersTest, AnInstalledOrReadOnlyProgramWritesToTheUsersFolders)
{
    const fs::path bin = root / "usr" / "bin";
    const fs::path shared = root / "usr" / "share" / "quarrinlayvane";
    fs::create_directories(bin);
    fs::create_directories(shared / "demo");
    const fs::path home = root / "home";

    struct Case {
        bool demoBeside;
        bool writable;
        std::map<std::string, std::string> xdg;
        fs::path data, work, settings;
    };
    const Case cases[] = {
        // Installed: the samples from share/, the rest in the user's folders.
        {false, true, {}, shared, home / ".local/share/quarrinlayvane", home / ".config/quarrinlayvane/ql.cfg"},
        {false, false, {{"XDG_DATA_HOME", (root / "data").string()}, {"XDG_CONFIG_HOME", (root / "conf").string()}},
         shared, root / "data/quarrinlayvane", root / "conf/quarrinlayvane/ql.cfg"},
        // Relative XDG folders are not to be trusted.
        {false, false, {{"XDG_CONFIG_HOME", "conf"}}, shared, home / ".local/share/quarrinlayvane",
         home / ".config/quarrinlayvane/ql.cfg"},
        // Samples beside a program whose folder is read-only: read there, written elsewhere.
        {true, false, {}, bin, home / ".local/share/quarrinlayvane", home / ".config/quarrinlayvane/ql.cfg"},
    };
    for (const Case& c : cases) {
        fs::remove_all(bin / "demo");
        if (c.demoBeside)
            fs::create_directories(bin / "demo");
        for (const auto& [name, value] : c.xdg)
            variables[name] = value;
        const AppFolders folders = AppFolders::Find(bin, Environment(c.writable));
        for (const auto& [name, value] : c.xdg)
            variables.erase(name);

        EXPECT_TRUE(folders.Installed());
        EXPECT_EQ(folders.dataFolder, c.data);
        EXPECT_EQ(folders.workFolder, c.work);
        EXPECT_EQ(folders.settingsFile, c.settings);
        EXPECT_EQ(folders.DemoFolders(), (std::vector<fs::path>{c.data / "demo", c.work / "demo"}));
    }

    const AppFolders folders = AppFolders::Find(bin, Environment(false));
    ASSERT_TRUE(AppFolders::MakeWritableFolders(folders));
    EXPECT_TRUE(fs::is_directory(folders.workFolder));
    EXPECT_TRUE(fs::is_directory(folders.settingsFile.parent_path()));
    EXPECT_FALSE(fs::exists(folders.settingsFile));
}

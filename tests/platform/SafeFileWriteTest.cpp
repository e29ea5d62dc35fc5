#include "platform/SafeFileWrite.h"
#include "platform/SmallDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Spit(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::vector<fs::path> Listing(const fs::path& folder)
{
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

fs::perms Mode(const fs::path& file)
{
    return fs::status(file).permissions();
}

class SafeFileWriteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("ql-safe-write-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
};

TEST_F(SafeFileWriteTest, LinksAndFilesAtTheOldTemporaryNameAreLeftAlone)
{
    Spit(dir / "victim.txt", "victim");
    Spit(dir / "mine.qlm.new", "the user's own file");
    fs::create_symlink(dir / "victim.txt", dir / "out.qlm.new");
    ASSERT_TRUE(platform::WriteFileSafely(dir / "out.qlm", std::string_view("map")));
    ASSERT_TRUE(platform::WriteFileSafely(dir / "mine.qlm", std::string_view("map")));
    EXPECT_EQ(Slurp(dir / "out.qlm"), "map");
    EXPECT_EQ(Slurp(dir / "victim.txt"), "victim");
    EXPECT_EQ(Slurp(dir / "mine.qlm.new"), "the user's own file");
    EXPECT_TRUE(fs::is_symlink(dir / "out.qlm.new"));
    EXPECT_EQ(Listing(dir), (std::vector<fs::path>{"mine.qlm", "mine.qlm.new", "out.qlm", "out.qlm.new", "victim.txt"}));
}

TEST_F(SafeFileWriteTest, TwoWritersAtOnceLeaveOneWholeFile)
{
    const std::string a(300000, 'a');
    const std::string b(200000, 'b');
    const auto writer = [&](const std::string& bytes, bool& written) {
        for (int i = 0; i < 40; ++i)
            written = platform::WriteFileSafely(dir / "shared.qlm", bytes) && written;
    };
    bool aWritten = true;
    bool bWritten = true;
    std::thread first(writer, std::cref(a), std::ref(aWritten));
    std::thread second(writer, std::cref(b), std::ref(bWritten));
    for (int i = 0; i < 200; ++i) {
        const std::string seen = Slurp(dir / "shared.qlm");
        EXPECT_TRUE(seen.empty() || seen == a || seen == b) << seen.size();
    }
    first.join();
    second.join();
    EXPECT_TRUE(aWritten && bWritten);
    const std::string last = Slurp(dir / "shared.qlm");
    EXPECT_TRUE(last == a || last == b);
    EXPECT_EQ(Listing(dir), std::vector<fs::path>{"shared.qlm"});
}

TEST_F(SafeFileWriteTest, PermissionsAndLinksOfTheTargetAreKept)
{
    Spit(dir / "private.qlm", "old");
    fs::permissions(dir / "private.qlm", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(platform::WriteFileSafely(dir / "private.qlm", std::string_view("new")));
    EXPECT_EQ(Mode(dir / "private.qlm"), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Slurp(dir / "private.qlm"), "new");

    // A new file gets what any new file gets.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(platform::WriteFileSafely(dir / "fresh.qlm", std::string_view("x")));
    ::umask(mask);
    EXPECT_EQ(Mode(dir / "fresh.qlm"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                           fs::perms::others_read);

    // Links are written through, a relative one and a chain of two included.
    fs::create_directories(dir / "real");
    Spit(dir / "real" / "map.qlm", "old");
    fs::create_symlink("real/map.qlm", dir / "link.qlm");
    fs::create_symlink("link.qlm", dir / "link2.qlm");
    fs::create_symlink(dir / "real" / "new.qlm", dir / "dangling.qlm");
    ASSERT_TRUE(platform::WriteFileSafely(dir / "link2.qlm", std::string_view("through")));
    ASSERT_TRUE(platform::WriteFileSafely(dir / "dangling.qlm", std::string_view("created")));
    EXPECT_TRUE(fs::is_symlink(dir / "link.qlm"));
    EXPECT_TRUE(fs::is_symlink(dir / "link2.qlm"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.qlm"));
    EXPECT_EQ(Slurp(dir / "real" / "map.qlm"), "through");
    EXPECT_EQ(Slurp(dir / "real" / "new.qlm"), "created");
    EXPECT_EQ(Listing(dir / "real"), (std::vector<fs::path>{"map.qlm", "new.qlm"}));
}

TEST_F(SafeFileWriteTest, AFailedWriteKeepsTheTargetAndLeavesNoTemporaryFile)
{
    Spit(dir / "keep.qlm", "kept");
    fs::create_directories(dir / "folder.qlm");
    EXPECT_FALSE(platform::WriteFileSafely(dir / "keep.qlm", [](std::ostream& out) {
        out << "half";
        out.setstate(std::ios::badbit);
    }));
    EXPECT_FALSE(platform::WriteFileSafely(dir / "folder.qlm", std::string_view("x")));
    EXPECT_FALSE(platform::WriteFileSafely(dir / "no" / "such" / "folder.qlm", std::string_view("x")));
    EXPECT_FALSE(platform::WriteFileSafely(dir / "", std::string_view("x")));
    EXPECT_EQ(Slurp(dir / "keep.qlm"), "kept");
    EXPECT_EQ(Listing(dir), (std::vector<fs::path>{"folder.qlm", "keep.qlm"}));
    EXPECT_TRUE(fs::is_empty(dir / "folder.qlm"));
}

TEST_F(SafeFileWriteTest, AFullDiskKeepsTheTargetWhole)
{
    SmallDisk disk;
    if (!disk.mounted)
        GTEST_SKIP() << "a small file system can be mounted only as root";
    const std::string old(SmallDisk::kBytes / 2, 'o');
    ASSERT_TRUE(platform::WriteFileSafely(disk.path / "map.qlm", old));
    EXPECT_FALSE(platform::WriteFileSafely(disk.path / "map.qlm", std::string(SmallDisk::kBytes, 'n')));
    EXPECT_EQ(Slurp(disk.path / "map.qlm"), old);
    EXPECT_EQ(Listing(disk.path), std::vector<fs::path>{"map.qlm"});
}

}  // namespace

#include "platform/RegularFileRead.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using platform::FileReadProblem;

TEST(RegularFileReadTest, OnlyRegularFilesWithinTheLimitAreRead)
{
    const fs::path dir = fs::temp_directory_path() / "ql-regular-file-read";
    fs::remove_all(dir);
    fs::create_directories(dir / "folder");
    std::ofstream(dir / "ten.txt", std::ios::binary) << "0123456789";
    std::ofstream(dir / "empty.txt", std::ios::binary);
    // Sparse: as large as a hostile file, without taking the disk.
    std::ofstream(dir / "huge.txt", std::ios::binary);
    fs::resize_file(dir / "huge.txt", 300u * 1024 * 1024);
    // Nobody ever writes to it: opening it the usual way would wait forever.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink(dir / "ten.txt", dir / "link.txt");

    const struct {
        fs::path file;
        std::uintmax_t limit;
        FileReadProblem problem;
        std::string bytes;
    } cases[] = {
        {dir / "ten.txt", 10, FileReadProblem::kNone, "0123456789"},
        {dir / "link.txt", 10, FileReadProblem::kNone, "0123456789"},
        {dir / "empty.txt", 0, FileReadProblem::kNone, ""},
        {dir / "ten.txt", 9, FileReadProblem::kTooLarge, ""},
        {dir / "huge.txt", 16 * 1024 * 1024, FileReadProblem::kTooLarge, ""},
        {dir / "pipe", 1024, FileReadProblem::kNotRegularFile, ""},
        {"/dev/zero", 1024, FileReadProblem::kNotRegularFile, ""},
        {dir / "folder", 1024, FileReadProblem::kNotRegularFile, ""},
        {dir / "missing.txt", 1024, FileReadProblem::kCannotOpen, ""},
    };
    for (const auto& c : cases) {
        FileReadProblem problem = FileReadProblem::kNone;
        const auto bytes = platform::ReadRegularFile(c.file, c.limit, problem);
        EXPECT_EQ(problem, c.problem) << c.file;
        EXPECT_EQ(bytes.has_value(), c.problem == FileReadProblem::kNone) << c.file;
        EXPECT_EQ(bytes.value_or(""), c.bytes) << c.file;
        EXPECT_EQ(platform::FileReadProblemText(problem).empty(), c.problem == FileReadProblem::kNone);
    }
    fs::remove_all(dir);
}

}  // namespace

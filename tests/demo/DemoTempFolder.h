#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

// A fresh folder per test, named after the test so parallel runs never meet.
class DemoTempFolder {
public:
    DemoTempFolder()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               ("ql_demo_" + std::string(info->test_suite_name()) + "_" + info->name());
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
        std::filesystem::create_directories(path);
    }
    ~DemoTempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path, ec);
    }
    DemoTempFolder(const DemoTempFolder&) = delete;
    DemoTempFolder& operator=(const DemoTempFolder&) = delete;

    // Writes the bytes as they are (no line-end translation) and returns the file.
    std::filesystem::path Write(const std::filesystem::path& relative, const std::string& bytes) const
    {
        const auto file = path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    std::filesystem::path path;
};

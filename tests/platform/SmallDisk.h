#pragma once

// A tiny file system of its own for tests of a full disk: a 64 kB tmpfs,
// mounted when the tests run as root and left out (the test skips) otherwise.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#ifdef __linux__
#include <sys/mount.h>
#include <unistd.h>
#endif

class SmallDisk {
public:
    static constexpr std::size_t kBytes = 64 * 1024;

    SmallDisk()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() / ("ql-small-disk-" + std::string(info->name()));
        std::error_code ec;
        std::filesystem::create_directories(path, ec);
#ifdef __linux__
        mounted = ::geteuid() == 0 && ::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") == 0;
#endif
    }
    ~SmallDisk()
    {
#ifdef __linux__
        if (mounted)
            ::umount2(path.c_str(), MNT_DETACH);
#endif
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    std::filesystem::path path;
    bool mounted = false;
};

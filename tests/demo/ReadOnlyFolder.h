#pragma once

// Makes a folder read-only for the rest of a test, as an installed program's
// shared folder is for its user. Root writes through permission bits, so as
// root the folder is bind-mounted over itself read-only; otherwise its
// folders lose their write bits. Ok() is false where neither works.
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef __linux__
#include <sys/mount.h>
#include <unistd.h>
#endif

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder))
    {
#ifdef __linux__
        if (::geteuid() == 0) {
            mounted_ = ::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) == 0;
            if (mounted_)
                ok_ = ::mount(nullptr, folder_.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
            return;
        }
#endif
        std::error_code ec;
        folders_.push_back(folder_);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ec)) {
            if (entry.is_directory())
                folders_.push_back(entry.path());
        }
        for (const auto& each : folders_)
            std::filesystem::permissions(each, WriteBits(), std::filesystem::perm_options::remove, ec);
        ok_ = !ec;
    }
    ~ReadOnlyFolder()
    {
#ifdef __linux__
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
#endif
        std::error_code ec;
        for (const auto& each : folders_)
            std::filesystem::permissions(each, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, ec);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Ok() const { return ok_; }

private:
    static std::filesystem::perms WriteBits()
    {
        using std::filesystem::perms;
        return perms::owner_write | perms::group_write | perms::others_write;
    }

    std::filesystem::path folder_;
    std::vector<std::filesystem::path> folders_;
    bool mounted_ = false;
    bool ok_ = false;
};

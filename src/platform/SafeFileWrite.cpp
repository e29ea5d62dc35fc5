#include "platform/SafeFileWrite.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

namespace fs = std::filesystem;

// Linux gives up on a chain of links after 40 as well.
constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 64;
// Room for the temporary name's own marks within the 255 bytes most file systems allow.
constexpr std::size_t kNameStemBytes = 200;

// The file a chain of links ends at; the path itself when it is no link. A
// link to a file that does not exist yet names the file to create.
fs::path FinalTarget(const fs::path& file)
{
    fs::path target = file;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec)) || ec)
            return target;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// Random, so that neither two threads nor two programs writing the same
// target pick the same name; creating it exclusively settles the rare clash.
std::string TemporaryName(const fs::path& target)
{
    std::random_device device;
    const std::uint64_t random = std::uint64_t{device()} << 32 ^ device();
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random));
    return "." + target.filename().string().substr(0, kNameStemBytes) + suffix;
}

#ifdef _WIN32

bool WriteThrough(const fs::path& target, std::string_view bytes)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path temp = target.parent_path() / TemporaryName(target);
        std::error_code ec;
        if (fs::exists(temp, ec))
            continue;
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out) {
                fs::remove(temp, ec);
                return false;
            }
        }
        fs::rename(temp, target, ec);
        if (ec)
            fs::remove(temp, ec);
        return !ec;
    }
    return false;
}

#else

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Keeps the target's mode and, where allowed, its owner; a new file gets
// what the user's umask gives any new file.
bool TakeOverPermissions(int fd, const fs::path& target)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0)
        return errno == ENOENT;
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        // Only root may give a file away; a file of another group keeps ours.
    }
    return ::fchmod(fd, existing.st_mode & 07777) == 0;
}

void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteThrough(const fs::path& target, std::string_view bytes)
{
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A temporary file for an existing target starts private; it gets the
    // target's mode before anything is renamed.
    const mode_t mode = exists ? 0600 : 0666;
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temp = target.parent_path() / TemporaryName(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes) && TakeOverPermissions(fd, target) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(target.parent_path().empty() ? fs::path(".") : target.parent_path());
    return true;
}

#endif

}  // namespace

bool WriteFileSafely(const std::filesystem::path& file, std::string_view bytes)
{
    if (file.empty() || !file.has_filename())
        return false;
    return WriteThrough(FinalTarget(file), bytes);
}

bool WriteFileSafely(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write)
{
    std::ostringstream out;
    write(out);
    if (!out)
        return false;
    return WriteFileSafely(file, out.view());
}

}  // namespace platform

#include "platform/RegularFileRead.h"

#ifdef _WIN32
#include <fstream>
#include <system_error>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

#ifndef _WIN32

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

#endif

}  // namespace

std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                           FileReadProblem& problem)
{
    problem = FileReadProblem::kNone;
#ifdef _WIN32
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (ec || !std::filesystem::exists(status)) {
        problem = FileReadProblem::kCannotOpen;
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(status)) {
        problem = FileReadProblem::kNotRegularFile;
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problem = FileReadProblem::kCannotOpen;
        return std::nullopt;
    }
    std::string bytes;
    char chunk[kChunkBytes];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes) {
            problem = FileReadProblem::kTooLarge;
            return std::nullopt;
        }
    }
    return bytes;
#else
    // Without O_NONBLOCK, opening a pipe would wait for a writer that may never come.
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        problem = errno == ENXIO ? FileReadProblem::kNotRegularFile : FileReadProblem::kCannotOpen;
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) {
        problem = FileReadProblem::kCannotOpen;
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = FileReadProblem::kNotRegularFile;
        return std::nullopt;
    }
    if (status.st_size < 0 || static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        problem = FileReadProblem::kTooLarge;
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    char chunk[kChunkBytes];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            problem = FileReadProblem::kCannotOpen;
            return std::nullopt;
        }
        if (got == 0)
            return bytes;
        bytes.append(chunk, static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes) {
            problem = FileReadProblem::kTooLarge;
            return std::nullopt;
        }
    }
#endif
}

std::string_view FileReadProblemText(FileReadProblem problem)
{
    switch (problem) {
    case FileReadProblem::kNone:
        return {};
    case FileReadProblem::kCannotOpen:
        return "cannot be opened";
    case FileReadProblem::kNotRegularFile:
        return "is not a regular file";
    case FileReadProblem::kTooLarge:
        return "is too large";
    }
    return {};
}

}  // namespace platform

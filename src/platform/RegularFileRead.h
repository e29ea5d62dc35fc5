#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class FileReadProblem { kNone, kCannotOpen, kNotRegularFile, kTooLarge };

// The whole content of a regular file no larger than `maxBytes`. A pipe, a
// device or a folder is refused at once, without waiting for a writer or
// reading a byte; a file over the limit is refused before it is read (or,
// when it grows while being read, as soon as it passes the limit).
std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                           FileReadProblem& problem);

// Says why a file was refused, in a few English words ("is not a regular file").
std::string_view FileReadProblemText(FileReadProblem problem);

}  // namespace platform

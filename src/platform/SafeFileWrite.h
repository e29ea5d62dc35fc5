#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string_view>

namespace platform {

// The one way this program writes a file. The bytes go to a temporary file
// with a name of its own in the target's folder, created exclusively (a link
// or a file already at that name is never followed or truncated), flushed to
// disk and given the target's permissions; then it is renamed over the
// target. A target that is a symbolic link is written through to the file the
// link names, as editors do. False when anything failed: the temporary file
// is then gone and the target untouched.
bool WriteFileSafely(const std::filesystem::path& file, std::string_view bytes);

// The same with the bytes that `write` puts into a stream; a stream left
// failed by `write` counts as a failure.
bool WriteFileSafely(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write);

}  // namespace platform

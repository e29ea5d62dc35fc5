#pragma once

#include "demo/DemoScript.h"

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>

// Turns the text of a ".qld" file into a DemoScript. Any bytes are accepted;
// a file that does not start with the six magic words is refused.
class DemoScriptReader {
public:
    static constexpr const char* kMagic = "QuarrinLayvane Demo Script File. Version 1.0";
    // Hours of recorded edits fit many times over; a larger file is no script.
    static constexpr std::uintmax_t kMaxFileBytes = 16 * 1024 * 1024;

    // The script's `folder` is set to `folder`.
    static std::optional<DemoScript> Read(std::istream& in, const std::filesystem::path& folder);

    // Refused also when the file cannot be opened, is no regular file or is
    // too large; `folder` is the file's own folder.
    static std::optional<DemoScript> ReadFile(const std::filesystem::path& file);
};

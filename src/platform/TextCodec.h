#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Texts held by the model, stored in maps, scripts and settings are GB18030
// bytes; terminals and our source files speak UTF-8. Both conversions replace
// what cannot be converted instead of failing, so no text is ever dropped whole.
std::string Gb18030ToUtf8(std::string_view gb);
std::string Utf8ToGb18030(std::string_view utf8);

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text);
// A line typed on a terminal or piped in: UTF-8 is converted, anything else is
// taken as GB18030 bytes as they stand, so a script from the target systems
// keeps every byte.
std::string TypedTextToGb18030(std::string_view text);

// A path from UTF-8 text, and a path's UTF-8 text, on every platform.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace platform

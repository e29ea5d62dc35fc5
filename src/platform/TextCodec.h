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

// A path from UTF-8 text, and a path's UTF-8 text, on every platform.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace platform

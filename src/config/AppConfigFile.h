#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class AppConfig;

// The "ql.cfg" text format: keys in a fixed order, one item per line.
class AppConfigFile {
public:
    // The budget a hand-edited file may fix; the options panel keeps to the same range.
    static constexpr int kMinCustomBudget = 100;
    static constexpr int kMaxCustomBudget = 2024;
    static constexpr int kMaxBackLineLimit = 100;
    // The optimised layout's time limit, in seconds.
    static constexpr int kMinLayoutSeconds = 1;
    static constexpr int kMaxLayoutSeconds = 3600;

    // Applies the settings of `text`, stopping at the first key out of place.
    static void Parse(std::string_view text, AppConfig& config);
    static std::string Format(const AppConfig& config);

    // False when the file cannot be opened, is no regular file or is too
    // large; the settings are then untouched.
    static bool Read(const std::filesystem::path& file, AppConfig& config);
    // False when the file cannot be written; an existing file is then kept whole.
    static bool Write(const std::filesystem::path& file, const AppConfig& config);
};

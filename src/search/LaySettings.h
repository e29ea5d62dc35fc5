#pragma once

#include "platform/UiText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class AppConfig;

// What the search options panel shows and stores: the text of the automatic
// memory choice, and how the panel's radio and edits go into the settings.
class LaySettings {
public:
    // The automatic choice with the machine's figures in MB, for the window.
    static UiText AutoMemoryText(std::int32_t totalMemory, std::int32_t availableMemory);
    static UiText AutoMemoryText(const AppConfig& config);
    // The same in Chinese, GB18030.
    static std::string MemoryText(std::int32_t totalMemory, std::int32_t availableMemory);
    static std::string MemoryText(const AppConfig& config);

    // The signed decimal number at the start of an edit's text, after blanks;
    // 0 when there is none. A number too large for 32 bits saturates.
    static std::int32_t ParseNumber(std::string_view text);

    // Stores the panel's values. Returns the budget the budget edit has to
    // show instead of its text when that text was out of range.
    static std::optional<std::int32_t> Apply(AppConfig& config, bool autoMemory, std::string_view budgetText,
                                             std::string_view backLineText);
    // Stores the layout mode and the optimised mode's time limit in seconds.
    // Returns the limit the edit has to show when its text was out of range.
    static std::optional<std::int32_t> ApplyMode(AppConfig& config, bool optimised, std::string_view secondsText);
};

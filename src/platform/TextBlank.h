#pragma once

#include <string>
#include <string_view>

namespace platform {

// The blanks that separate words in our text files, as the C library's
// isspace sees them in the "C" locale (blank, tab, line feed, vertical tab,
// form feed, carriage return).
constexpr bool IsBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The text with every blank taken out. Safe on GB18030 bytes: no byte of a
// multi-byte character is a blank.
inline std::string WithoutBlanks(std::string_view text)
{
    std::string word;
    for (const char c : text)
        if (!IsBlank(static_cast<unsigned char>(c)))
            word += c;
    return word;
}

}  // namespace platform

#pragma once

namespace platform {

// The blanks that separate words in our text files, as the C library's
// isspace sees them in the "C" locale (blank, tab, line feed, vertical tab,
// form feed, carriage return).
constexpr bool IsBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace platform

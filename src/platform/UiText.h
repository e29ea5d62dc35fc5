#pragma once

#include <string>
#include <string_view>
#include <vector>

// A text the windows show, as the model builds it: the source text (UTF-8,
// Chinese, as this program is written) with places %1 … %9, the context the
// translation tools file it under, and what goes into the places (GB18030,
// like every text of the model). The windows translate the source and then
// fill the places; files and the command-line tool take Chinese().
struct UiText {
    const char* context = "";
    const char* source = "";
    std::vector<std::string> args;

    // A text shown as it stands, never translated (a name, a title).
    static UiText Verbatim(std::string gb18030);

    UiText&& Arg(std::string gb18030) &&;
    UiText& Arg(std::string gb18030) &;

    // GB18030: the source with its places filled.
    std::string Chinese() const;

    friend bool operator==(const UiText& a, const UiText& b) { return a.Chinese() == b.Chinese(); }
};

// Marks a text for the translation tools (they read this name as they read
// QT_TRANSLATE_NOOP) and makes it a UiText of that context.
#define QL_TEXT(context, source) (UiText{context, source, {}})

// Puts args[n - 1] in place of each %n of the pattern (n from 1 to 9), in one
// pass, so an argument that holds "%1" stays as it is. A % not followed by a
// digit of an argument stays too. Works on GB18030 and UTF-8 alike: neither
// has '%' inside a multi-byte character.
std::string FillPlaces(std::string_view pattern, const std::vector<std::string>& args);

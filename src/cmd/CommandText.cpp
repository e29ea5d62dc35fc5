#include "cmd/CommandText.h"

#include "platform/TextBlank.h"

#include <array>
#include <charconv>
#include <ios>

namespace command_text {

namespace {

constexpr std::string_view kEmptyName = "<NULL>";
// GB18030 ideographic space: keeps a typed blank visible without splitting the word.
constexpr std::string_view kBlankInName = "\xA1\xA1";

template <class Callback>
void ForEachWord(std::string_view name, Callback&& callback)
{
    while (!name.empty()) {
        const std::size_t blank = name.find(' ');
        const std::string_view word = name.substr(0, blank);
        if (!word.empty())
            callback(word);
        if (blank == std::string_view::npos)
            break;
        name.remove_prefix(blank + 1);
    }
}

// Independent of the stream's base and locale, so a caller's std::hex cannot leak in.
void WriteNumber(std::ostream& out, std::int64_t value, int base)
{
    std::array<char, 24> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value, base);
    out.write(digits.data(), result.ptr - digits.data());
}

// The name must stay one word on one line, or the colour after it is lost
// and a line break would split a recorded script line.
void WriteName(std::ostream& out, const std::string& name)
{
    if (name.empty()) {
        out << kEmptyName;
        return;
    }
    for (const char c : name) {
        if (platform::IsBlank(c))
            out << kBlankInName;
        else
            out.put(c);
    }
}

bool ReadColour(std::istream& in, ColorRef& colour)
{
    in >> std::ws;
    // An unsigned read would take "-1" for ffffffff.
    if (in.peek() == '-' || in.peek() == '+') {
        in.setstate(std::ios_base::failbit);
        return false;
    }
    const std::ios_base::fmtflags flags = in.flags();
    in.setf(std::ios_base::hex, std::ios_base::basefield);
    std::uint32_t read = 0;
    in >> read;
    in.flags(flags);
    if (!in)
        return false;
    colour = read;
    return true;
}

}  // namespace

void WriteWords(std::ostream& out, std::string_view name)
{
    ForEachWord(name, [&](std::string_view word) { out << word << ' '; });
}

bool ReadWords(std::istream& in, std::string_view name)
{
    bool matched = true;
    ForEachWord(name, [&](std::string_view expected) {
        std::string word;
        if (matched && !(in >> word && word == expected))
            matched = false;
    });
    return matched;
}

void WriteArgs(std::ostream&, const NoArgs&) {}

void WriteArgs(std::ostream& out, const GridRect& rect)
{
    for (const std::int32_t value : {rect.x, rect.y, rect.w, rect.h}) {
        WriteNumber(out, value, 10);
        out << ' ';
    }
}

void WriteArgs(std::ostream& out, const Build& build)
{
    WriteArgs(out, GridRect{build.x, build.y, build.w, build.h});
    WriteName(out, build.name);
    out << ' ';
    WriteNumber(out, build.colour, 16);
}

void WriteArgs(std::ostream& out, const Mark& mark)
{
    WriteNumber(out, mark.x1, 10);
    out << ' ';
    WriteNumber(out, mark.y1, 10);
    out << "     ";
    WriteNumber(out, mark.x2, 10);
    out << ' ';
    WriteNumber(out, mark.y2, 10);
}

bool ReadArgs(std::istream&, NoArgs&)
{
    return true;
}

bool ReadArgs(std::istream& in, GridRect& rect)
{
    return ReadInt32(in, rect.x) && ReadInt32(in, rect.y) && ReadInt32(in, rect.w) && ReadInt32(in, rect.h);
}

bool ReadArgs(std::istream& in, Build& build)
{
    if (!(ReadInt32(in, build.x) && ReadInt32(in, build.y) && ReadInt32(in, build.w) && ReadInt32(in, build.h)))
        return false;
    std::string name;
    if (!(in >> name))
        return false;
    build.name = name == kEmptyName ? std::string() : std::move(name);
    return ReadColour(in, build.colour);
}

bool ReadArgs(std::istream& in, Mark& mark)
{
    return ReadInt32(in, mark.x1) && ReadInt32(in, mark.y1) && ReadInt32(in, mark.x2) && ReadInt32(in, mark.y2);
}

bool ReadInt32(std::istream& in, std::int32_t& value)
{
    const std::ios_base::fmtflags flags = in.flags();
    in.setf(std::ios_base::dec, std::ios_base::basefield);
    in.setf(std::ios_base::skipws);
    // The stream itself fails a value beyond the range of its type.
    std::int32_t read = 0;
    in >> read;
    in.flags(flags);
    if (!in)
        return false;
    value = read;
    return true;
}

bool ReadRestOfLine(std::istream& in, std::string& text)
{
    text.clear();
    if (!std::getline(in, text))
        return false;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return true;
}

}  // namespace command_text

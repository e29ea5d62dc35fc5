#include "demo/DemoScriptReader.h"

#include "platform/RegularFileRead.h"
#include "platform/TextBlank.h"

#include <array>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

namespace {

// The blanks that stream extraction skips between words.
// Skips blanks, then consumes one word and tells whether it is `expected`.
// Compares as it goes, so a huge run of garbage costs no memory; the blank
// after the word stays in the stream because it belongs to the first line.
bool MatchWord(std::istream& in, std::string_view expected)
{
    int c = in.get();
    while (c != std::char_traits<char>::eof() && platform::IsBlank(static_cast<char>(c)))
        c = in.get();
    std::size_t matched = 0;
    while (c != std::char_traits<char>::eof() && !platform::IsBlank(static_cast<char>(c))) {
        if (matched >= expected.size() || static_cast<char>(c) != expected[matched])
            return false;
        ++matched;
        c = in.get();
    }
    if (c != std::char_traits<char>::eof())
        in.unget();
    else
        in.clear(in.rdstate() & ~std::ios::failbit);
    return matched == expected.size() && matched > 0;
}

// Scripts written on Windows end their lines with CR LF; the CR goes, a CR
// at the very end of a file without a final line feed stays.
bool NextLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!in.eof() && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool IsComment(const std::string& line)
{
    return line[0] == '#' || (line[0] == '/' && line[1] == '/');
}

// ">key value": the value keeps the character right after the key.
std::pair<std::string, std::string> SplitHeader(const std::string& line)
{
    std::size_t begin = 1;
    while (begin < line.size() && platform::IsBlank(line[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < line.size() && !platform::IsBlank(line[end]))
        ++end;
    return {line.substr(begin, end - begin), line.substr(end)};
}

}  // namespace

std::optional<DemoScript> DemoScriptReader::Read(std::istream& in, const std::filesystem::path& folder)
{
    static constexpr std::array<std::string_view, 6> kWords = {
        "QuarrinLayvane", "Demo", "Script", "File.", "Version", "1.0"};
    for (const std::string_view word : kWords) {
        if (!MatchWord(in, word))
            return std::nullopt;
    }

    DemoScript script;
    script.folder = folder;
    std::string key;
    DemoSection current;
    std::string line;
    std::string next;
    while (NextLine(in, line)) {
        if (line.size() < 2 || IsComment(line))
            continue;
        // A join that runs into the end of the file keeps its last "+".
        while (!line.empty() && line.back() == '+' && NextLine(in, next)) {
            line.pop_back();
            line += next;
        }
        if (!line.empty() && line[0] == '>') {
            script.sections.insert_or_assign(std::move(key), std::move(current));
            auto [newKey, value] = SplitHeader(line);
            key = std::move(newKey);
            current = DemoSection{std::move(value), {}};
            continue;
        }
        current.lines.push_back(std::move(line));
    }
    // The open section is dropped: a script closes with a header whose own
    // section (">end") is never kept.
    return script;
}

std::optional<DemoScript> DemoScriptReader::ReadFile(const std::filesystem::path& file)
{
    platform::FileReadProblem problem = platform::FileReadProblem::kNone;
    std::optional<std::string> bytes = platform::ReadRegularFile(file, kMaxFileBytes, problem);
    if (!bytes)
        return std::nullopt;
    std::istringstream in(std::move(*bytes));
    return Read(in, file.parent_path());
}

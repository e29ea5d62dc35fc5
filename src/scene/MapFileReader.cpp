#include "scene/MapFileReader.h"

#include "platform/RegularFileRead.h"
#include "platform/TextBlank.h"

#include "scene/BuildName.h"
#include "scene/Scene.h"

#include <array>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kNotDocument = "file is not a quarrin layvane document.";
constexpr std::string_view kUnknownVersion = "unknown version of file format.";
constexpr std::string_view kDestroyed = "bad quarrin layvane file, maybe it has been destroyed!";
constexpr std::string_view kLegacySizeOnly = "this version only support size of 100, file has different size.";
constexpr std::string_view kCurrentSizeOnly = "this version only support size of 250, file has different size.";
constexpr std::string_view kNoBuilds = "no builds found in this document!";
constexpr std::string_view kNoMarks = "no marks found in this document!";

constexpr std::array<std::string_view, 5> kHeaderWords{"Quarrin", "Layvane", "Map", "File.", "Version"};

// No keyword is longer; a longer word is refused before it is read whole.
constexpr std::size_t kMaxWordBytes = 64;

// Words, numbers, characters and lines taken straight from a stream buffer,
// so a file that is not a map is refused after a few bytes, however large.
// Numbers that do not fit 32 bits fail; their digits are consumed anyway.
class MapTextScanner {
public:
    explicit MapTextScanner(std::streambuf* buffer) : buffer_(buffer) {}

    bool Word(std::string& word)
    {
        SkipBlanks();
        word.clear();
        while (!AtEnd() && !platform::IsBlank(Peek())) {
            if (word.size() == kMaxWordBytes)
                return false;
            word += static_cast<char>(Take());
        }
        return !word.empty();
    }

    // The next character that is not a blank.
    bool Character(char& c)
    {
        for (int next = Take(); next != kEnd; next = Take()) {
            if (!platform::IsBlank(next)) {
                c = static_cast<char>(next);
                return true;
            }
        }
        return false;
    }

    // The rest of the current line, without its line break and a CR before it.
    bool Line(std::string& line)
    {
        line.clear();
        if (AtEnd())
            return false;
        while (!AtEnd()) {
            const int c = Take();
            if (c == '\n') {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                break;
            }
            line += static_cast<char>(c);
        }
        return true;
    }

    bool Decimal(std::int32_t& value)
    {
        SkipBlanks();
        bool negative = false;
        if (Peek() == '-' || Peek() == '+')
            negative = Take() == '-';
        std::uint64_t magnitude = 0;
        const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
        if (!Digits(10, limit, magnitude))
            return false;
        value = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                                   : static_cast<std::int64_t>(magnitude));
        return true;
    }

    bool Unsigned(std::uint32_t& value, int base)
    {
        SkipBlanks();
        std::uint64_t parsed = 0;
        if (!Digits(base, UINT32_MAX, parsed))
            return false;
        value = static_cast<std::uint32_t>(parsed);
        return true;
    }

private:
    static constexpr int kEnd = std::char_traits<char>::eof();

    bool AtEnd() { return Peek() == kEnd; }
    int Peek() { return buffer_ ? buffer_->sgetc() : kEnd; }
    int Take() { return buffer_ ? buffer_->sbumpc() : kEnd; }

    void SkipBlanks()
    {
        while (platform::IsBlank(Peek()))
            Take();
    }

    static int DigitValue(int c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'Z')
            return c - 'A' + 10;
        return 99;
    }

    bool Digits(int base, std::uint64_t limit, std::uint64_t& value)
    {
        bool any = false;
        bool tooLarge = false;
        value = 0;
        for (int digit = DigitValue(Peek()); digit < base; digit = DigitValue(Peek())) {
            Take();
            any = true;
            value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
            if (value > limit) {
                tooLarge = true;
                value = limit;
            }
        }
        return any && !tooLarge;
    }

    std::streambuf* buffer_;
};

// The part of a building line after its name: colour (1.1 only), x, y, w, h.
bool ParseBuildFields(const std::string& fields, bool withColour, Build& build)
{
    std::stringbuf buffer(fields, std::ios::in);
    MapTextScanner text(&buffer);
    if (withColour && !text.Unsigned(build.colour, 16))
        return false;
    return text.Decimal(build.x) && text.Decimal(build.y) && text.Decimal(build.w) && text.Decimal(build.h);
}

// Blank lines and lines without ":" do not count. A list that ends short of
// its count, at a line that cannot be read or at the end of the file, keeps
// what was read and says the file is damaged.
void ReadBuilds(MapTextScanner& text, bool withColour, std::string& errorText, Scene& scene)
{
    scene.ClearBuildList();
    std::string word;
    std::uint32_t count = 0;
    const bool keyword = text.Word(word) && word == "Builds";
    const bool counted = text.Unsigned(count, 10);
    if (!keyword) {
        errorText += kNoBuilds;
        return;
    }
    if (!counted) {
        errorText += kDestroyed;
        return;
    }
    std::string line;
    for (std::uint32_t taken = 0; taken < count;) {
        if (!text.Line(line)) {
            errorText += kDestroyed;
            return;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        Build build;
        // Only a stray CR can be dropped here; the writer would drop it too.
        build.name = SanitizeBuildName(std::string_view(line).substr(0, colon));
        if (!ParseBuildFields(line.substr(colon + 1), withColour, build)) {
            errorText += kDestroyed;
            return;
        }
        scene.AppendLoadedBuild(std::move(build));
        ++taken;
    }
}

void ReadMarks(MapTextScanner& text, std::string& errorText, Scene& scene)
{
    scene.ClearMarks();
    std::string word;
    std::uint32_t count = 0;
    const bool keyword = text.Word(word) && word == "Marks";
    const bool counted = text.Unsigned(count, 10);
    if (!keyword) {
        errorText += kNoMarks;
        return;
    }
    if (!counted) {
        errorText += kDestroyed;
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        Mark mark;
        if (!text.Decimal(mark.x1) || !text.Decimal(mark.y1) || !text.Decimal(mark.x2) || !text.Decimal(mark.y2)) {
            errorText += kDestroyed;
            return;
        }
        scene.InsertMark(mark);
    }
}

}  // namespace

bool MapFileReader::Read(std::istream& in, std::string& errorText, Scene& scene)
{
    MapTextScanner text(in.rdbuf());
    std::string word;
    for (const std::string_view expected : kHeaderWords) {
        if (!text.Word(word) || word != expected) {
            errorText += kNotDocument;
            return false;
        }
    }
    text.Word(word);
    const bool legacy = word == "1.0";
    if (!legacy && word != "1.1") {
        errorText += kUnknownVersion;
        return false;
    }
    const std::int32_t size = legacy ? LegacyGridSize : GridSize;

    std::string grid, sizeWord, times;
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!text.Word(grid) || grid != "Grid" || !text.Word(sizeWord) || sizeWord != "Size" || !text.Decimal(width) ||
        !text.Word(times) || times != "*" || !text.Decimal(height)) {
        errorText += kDestroyed;
        return false;
    }
    if (width != size || height != size) {
        errorText += legacy ? kLegacySizeOnly : kCurrentSizeOnly;
        return false;
    }

    // A grid cut short is refused like a bad header, before any cell is
    // stored: half of a map over the user's scene would help nobody.
    std::vector<std::int32_t> cells(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (std::int32_t& cell : cells) {
        char c = 0;
        if (!text.Character(c)) {
            errorText += kDestroyed;
            return false;
        }
        // Not checked to be a digit: any byte is stored, as a signed char.
        cell = static_cast<signed char>(c) - '0';
    }
    for (std::size_t k = 0; k < cells.size(); ++k)
        scene.LoadCell(static_cast<std::int32_t>(k / size), static_cast<std::int32_t>(k % size), cells[k]);

    ReadBuilds(text, !legacy, errorText, scene);
    ReadMarks(text, errorText, scene);
    return true;
}

bool MapFileReader::ReadFile(const std::filesystem::path& file, std::string& errorText, Scene& scene)
{
    platform::FileReadProblem problem = platform::FileReadProblem::kNone;
    std::optional<std::string> bytes = platform::ReadRegularFile(file, kMaxFileBytes, problem);
    if (!bytes) {
        if (problem != platform::FileReadProblem::kCannotOpen)
            errorText += "file " + std::string(platform::FileReadProblemText(problem)) + ".";
        return false;
    }
    std::istringstream in(std::move(*bytes));
    return Read(in, errorText, scene);
}

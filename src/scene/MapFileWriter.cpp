#include "scene/MapFileWriter.h"

#include "platform/TextBlank.h"

#include "platform/SafeFileWrite.h"
#include "scene/BuildName.h"
#include "scene/Scene.h"

#include <charconv>
#include <string>

namespace {

// Every cell takes exactly one character, or the rest of the grid would shift
// on reading. A cell holds what the reader made of a byte (byte - '0'), so the
// same byte is written back (as a signed char); values no byte can give
// become blank ground.
char CellCharacter(std::int32_t value)
{
    if (value >= 0 && value <= 9)
        return static_cast<char>('0' + value);
    const std::int64_t code = std::int64_t{value} + '0';
    if (code < -128 || code > 127)
        return '0';
    const char c = static_cast<char>(code);
    return platform::IsBlank(c) ? '0' : c;
}

void AppendHex(std::string& line, std::uint32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    line.append(buffer, result.ptr);
}

void AppendDecimal(std::string& line, std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    line.append(buffer, result.ptr);
}

void WriteLine(std::ostream& out, std::string& line)
{
    line += '\n';
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    line.clear();
}

}  // namespace

void MapFileWriter::Write(std::ostream& out, const Scene& scene)
{
    std::string line = "Quarrin Layvane Map File. Version 1.1";
    WriteLine(out, line);
    line = "Grid Size ";
    AppendDecimal(line, GridSize);
    line += " * ";
    AppendDecimal(line, GridSize);
    WriteLine(out, line);

    // The grid is stored column by column, as the file lists it.
    const std::int32_t* cell = scene.Cells().data();
    char column[GridSize + 1];
    column[GridSize] = '\n';
    for (std::int32_t x = 0; x < GridSize; ++x) {
        for (char* c = column; c != column + GridSize; ++c)
            *c = CellCharacter(*cell++);
        out.write(column, sizeof column);
    }

    line = "Builds ";
    AppendDecimal(line, static_cast<std::int64_t>(scene.Builds().size()));
    WriteLine(out, line);
    for (const Build& b : scene.Builds()) {
        // The reader ends a name at its first ":" and a record at a line break.
        line = SanitizeBuildName(b.name);
        line += ": ";
        AppendHex(line, b.colour);
        for (const std::int32_t v : {b.x, b.y, b.w, b.h}) {
            line += ' ';
            AppendDecimal(line, v);
        }
        WriteLine(out, line);
    }

    line = "Marks ";
    AppendDecimal(line, static_cast<std::int64_t>(scene.Marks().size()));
    WriteLine(out, line);
    for (const Mark& m : scene.Marks()) {
        AppendDecimal(line, m.x1);
        for (const std::int32_t v : {m.y1, m.x2, m.y2}) {
            line += ' ';
            AppendDecimal(line, v);
        }
        WriteLine(out, line);
    }
    out.flush();
}

bool MapFileWriter::WriteFile(const std::filesystem::path& file, const Scene& scene)
{
    return platform::WriteFileSafely(file, [&](std::ostream& out) { Write(out, scene); });
}

#pragma once

#include "scene/Build.h"
#include "scene/GridRect.h"
#include "scene/Mark.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

// The text forms of command names and data records, shared by every command's
// Write and Read and by the command language.
struct NoArgs {
    friend bool operator==(const NoArgs&, const NoArgs&) = default;
};

namespace command_text {

// Each word of `name` followed by one blank.
void WriteWords(std::ostream& out, std::string_view name);
// Reads as many words as `name` has; false on a failed read or a mismatch.
bool ReadWords(std::istream& in, std::string_view name);

void WriteArgs(std::ostream& out, const NoArgs&);
void WriteArgs(std::ostream& out, const GridRect& rect);
void WriteArgs(std::ostream& out, const Build& build);
void WriteArgs(std::ostream& out, const Mark& mark);

// Read the arguments in their written order; false on a failed read. Fields
// read before a failure keep their new values, the others stay as they were.
bool ReadArgs(std::istream& in, NoArgs&);
bool ReadArgs(std::istream& in, GridRect& rect);
bool ReadArgs(std::istream& in, Build& build);
bool ReadArgs(std::istream& in, Mark& mark);

// A decimal number with an optional sign after any blanks, whatever base the
// stream is set to. Beyond 32 bits the read fails and `value` is left alone.
bool ReadInt32(std::istream& in, std::int32_t& value);
// The rest of the current line, without its line break and a CR before it.
bool ReadRestOfLine(std::istream& in, std::string& text);

}  // namespace command_text

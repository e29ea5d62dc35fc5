#pragma once

#include "scene/Build.h"
#include "scene/GridRect.h"
#include "scene/Mark.h"

#include <istream>
#include <ostream>
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

// Read the arguments in their written order; false on a failed read.
bool ReadArgs(std::istream& in, NoArgs&);
bool ReadArgs(std::istream& in, GridRect& rect);
bool ReadArgs(std::istream& in, Build& build);
bool ReadArgs(std::istream& in, Mark& mark);

}  // namespace command_text

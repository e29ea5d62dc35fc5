#pragma once

#include <string_view>

namespace platform {

// Names Windows keeps for devices (CON, PRN, AUX, NUL, COM0-9, LPT0-9), with
// any extension: opening "con.qlm" there opens the console, and reading a
// device may never end. `utf8` is a file name without folders.
bool IsDeviceName(std::string_view utf8);

}  // namespace platform

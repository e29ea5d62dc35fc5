#include "platform/FileNames.h"

#include <string>

namespace platform {

bool IsDeviceName(std::string_view utf8)
{
    std::string stem(utf8.substr(0, utf8.find_first_of(". ")));
    for (char& c : stem)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '0'
           && stem[3] <= '9';
}

}  // namespace platform

#pragma once

#include <string>
#include <string_view>

// A building name as the map file can hold it: the file ends a name at its
// first ":" and a record at a line break, so a ":" becomes the full-width
// colon and line breaks are dropped. Safe on GB18030 bytes: neither byte ever
// appears inside a multi-byte character.
std::string SanitizeBuildName(std::string_view name);

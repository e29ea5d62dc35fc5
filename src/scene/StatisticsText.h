#pragma once

#include <string>

struct SceneStatistics;

// The statistics box of the tools panel, eight lines each ending in "\n",
// as GB18030 bytes. The command-line tool prints the same text.
std::string StatisticsText(const SceneStatistics& stats);

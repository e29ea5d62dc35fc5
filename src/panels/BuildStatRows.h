#pragma once

#include "msg/MsgTypes.h"
#include "platform/UiText.h"

#include <map>
#include <string>
#include <vector>

struct SceneStatistics;

// The rows of the building category list: one per colour that occurs among
// the buildings, the highest colour value first (so the default colour
// 0xFFFFFFFF leads).
struct BuildStatRow {
    UiText label;
    std::string count;
    std::string area;
    ColorRef colour = 0;

    friend bool operator==(const BuildStatRow&, const BuildStatRow&) = default;
};

class BuildStatRows {
public:
    // A named colour shows its name, the default colour included; otherwise
    // "默认类" for the default colour and "未分类" for any other.
    static std::vector<BuildStatRow> Make(const SceneStatistics& stats,
                                          const std::map<ColorRef, std::string>& colourNames);
    static UiText Label(ColorRef colour, const std::map<ColorRef, std::string>& colourNames);
};

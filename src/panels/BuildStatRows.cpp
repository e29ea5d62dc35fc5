#include "panels/BuildStatRows.h"

#include "scene/Scene.h"

UiText BuildStatRows::Label(ColorRef colour, const std::map<ColorRef, std::string>& colourNames)
{
    if (const auto named = colourNames.find(colour); named != colourNames.end())
        return UiText::Verbatim(named->second);
    return colour == DefaultColour ? QL_TEXT("BuildStatRows", "默认类") : QL_TEXT("BuildStatRows", "未分类");
}

std::vector<BuildStatRow> BuildStatRows::Make(const SceneStatistics& stats,
                                              const std::map<ColorRef, std::string>& colourNames)
{
    std::vector<BuildStatRow> rows;
    rows.reserve(stats.perColour.size());
    for (auto it = stats.perColour.rbegin(); it != stats.perColour.rend(); ++it) {
        const auto& [colour, stat] = *it;
        rows.push_back({Label(colour, colourNames), std::to_string(stat.count), std::to_string(stat.area), colour});
    }
    return rows;
}

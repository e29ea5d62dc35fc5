#include "scene/StatisticsText.h"

#include "platform/TextCodec.h"
#include "scene/Scene.h"

#include <sstream>

std::string StatisticsText(const SceneStatistics& stats)
{
    std::ostringstream text;
    text << "总建筑面积: " << stats.groundCells << '\n'
         << "已建筑面积: " << stats.buildCells << '\n'
         << "可建筑面积: " << stats.soilCells << '\n'
         << "道路总面积: " << stats.roadCells << '\n'
         << '\n'
         << "工厂: " << stats.factories << " (" << stats.factoryArea << ")\n"
         << "房屋: " << stats.houses << " (" << stats.houseArea << ")\n"
         << "其他: " << stats.others << " (" << stats.otherArea << ")\n";
    return platform::Utf8ToGb18030(text.str());
}

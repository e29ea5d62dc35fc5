#pragma once

// What happens to the road cells planned for a new building.
enum class RoadSetting { Ignore, Notice, Make };

// The settings file keeps the choice in two flags; without the notice flag
// nothing is shown or laid.
constexpr RoadSetting RoadSettingOf(bool roadNotice, bool roadMake)
{
    if (!roadNotice)
        return RoadSetting::Ignore;
    return roadMake ? RoadSetting::Make : RoadSetting::Notice;
}

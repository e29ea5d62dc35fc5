#include "panels/ColourNameList.h"

#include "platform/TextBlank.h"

#include <algorithm>

bool ColourNameList::Store(ColorRef colour, std::string_view typed)
{
    std::string name = platform::WithoutBlanks(typed);
    if (name.empty())
        return false;
    names_[colour] = std::move(name);
    return true;
}

bool ColourNameList::Remove(ColorRef colour)
{
    return names_.erase(colour) > 0;
}

std::vector<ColourNameList::Row> ColourNameList::Rows() const
{
    std::vector<Row> rows;
    rows.reserve(names_.size());
    for (auto entry = names_.rbegin(); entry != names_.rend(); ++entry)
        rows.push_back({entry->first, entry->second});
    return rows;
}

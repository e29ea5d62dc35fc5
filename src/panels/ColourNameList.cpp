#include "panels/ColourNameList.h"

#include "platform/TextBlank.h"

#include <algorithm>

std::string ColourNameList::WithoutBlanks(std::string_view typed)
{
    // Safe on GB18030 bytes: no byte of a multi-byte character is a blank.
    std::string name(typed);
    std::erase_if(name, [](char c) { return platform::IsBlank(static_cast<unsigned char>(c)); });
    return name;
}

bool ColourNameList::Store(ColorRef colour, std::string_view typed)
{
    std::string name = WithoutBlanks(typed);
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

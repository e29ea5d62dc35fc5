#pragma once

#include "msg/MsgTypes.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The colour names as the display options panel edits them: typed names lose
// their blanks (the settings file keeps a name as one word), and the panel's
// list shows the highest colour value first. Names are GB18030 bytes.
class ColourNameList {
public:
    struct Row {
        ColorRef colour = 0;
        std::string name;

        friend bool operator==(const Row&, const Row&) = default;
    };

    explicit ColourNameList(std::map<ColorRef, std::string>& names) : names_(names) {}

    // Adds or replaces the name of `colour`. False, with nothing changed, when
    // no name remains once the blanks are gone.
    bool Store(ColorRef colour, std::string_view typed);
    // False when the colour had no name.
    bool Remove(ColorRef colour);

    // In display order: descending colour value.
    std::vector<Row> Rows() const;

private:
    std::map<ColorRef, std::string>& names_;
};

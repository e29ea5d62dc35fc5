#pragma once

#include <string>
#include <vector>

class CmdList;

// What the recorder's list shows for the history: per command its written
// form (GB18030) and where it stands against the position: 0 for the latest
// command in effect, positive for earlier ones, negative for undone ones.
class CmdListRows {
public:
    struct Row {
        std::string text;
        int itemData = 0;

        friend bool operator==(const Row&, const Row&) = default;
    };

    static std::vector<Row> Of(const CmdList& history);
};

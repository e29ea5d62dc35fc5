#include "demo/CmdListRows.h"

#include "cmd/CmdList.h"

#include <sstream>

std::vector<CmdListRows::Row> CmdListRows::Of(const CmdList& history)
{
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(history.Size()));
    for (std::int32_t i = 0; i < history.Size(); ++i) {
        std::ostringstream text;
        history.At(i).Write(text);
        rows.push_back(Row{text.str(), history.Position() - i - 1});
    }
    return rows;
}

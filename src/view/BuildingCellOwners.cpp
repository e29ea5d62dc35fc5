#include "view/BuildingCellOwners.h"

#include <algorithm>
#include <utility>

namespace {

// Per column, the next cell at or below a row that no building owns yet; a
// claimed cell points past itself, so a run of owned cells is crossed in one
// hop once the paths are shortened.
class FreeCells {
public:
    FreeCells(std::int64_t columns, std::int64_t rows)
        : rows_(rows), next_(static_cast<std::size_t>(columns * (rows + 1)))
    {
        for (std::int64_t c = 0; c < columns; ++c)
            for (std::int64_t r = 0; r <= rows; ++r)
                next_[Index(c, r)] = static_cast<std::int32_t>(r);
    }

    std::int64_t FirstFree(std::int64_t column, std::int64_t row)
    {
        std::int64_t root = row;
        while (next_[Index(column, root)] != root)
            root = next_[Index(column, root)];
        while (next_[Index(column, row)] != root) {
            const std::int64_t up = next_[Index(column, row)];
            next_[Index(column, row)] = static_cast<std::int32_t>(root);
            row = up;
        }
        return root;
    }

    void Claim(std::int64_t column, std::int64_t row) { next_[Index(column, row)] = static_cast<std::int32_t>(row + 1); }

private:
    std::size_t Index(std::int64_t column, std::int64_t row) const
    {
        return static_cast<std::size_t>(column * (rows_ + 1) + row);
    }

    std::int64_t rows_;
    std::vector<std::int32_t> next_;
};

}  // namespace

BuildingCellOwners::BuildingCellOwners(const std::vector<Build>& builds, CellSpan columns, CellSpan rows)
    : begin_(builds.size() + 1, 0)
{
    if (columns.IsEmpty() || rows.IsEmpty() || builds.empty())
        return;
    const std::int64_t width = columns.last - columns.first + 1;
    const std::int64_t height = rows.last - rows.first + 1;
    FreeCells free(width, height);
    std::int64_t unowned = width * height;

    // Claimed from the last building back, each run noted with its owner.
    std::vector<std::pair<std::size_t, Run>> claimed;
    for (std::size_t i = builds.size(); i-- > 0 && unowned > 0;) {
        const Build& b = builds[i];
        const std::int64_t x1 = std::max<std::int64_t>(b.x, columns.first);
        const std::int64_t x2 = std::min<std::int64_t>(std::int64_t{b.x} + b.w - 1, columns.last);
        const std::int64_t y1 = std::max<std::int64_t>(b.y, rows.first) - rows.first;
        const std::int64_t y2 = std::min<std::int64_t>(std::int64_t{b.y} + b.h - 1, rows.last) - rows.first;
        for (std::int64_t x = x1; x <= x2 && y1 <= y2; ++x) {
            const std::int64_t column = x - columns.first;
            for (std::int64_t y = free.FirstFree(column, y1); y <= y2; y = free.FirstFree(column, y)) {
                const std::int64_t start = y;
                for (; y <= y2 && free.FirstFree(column, y) == y; ++y)
                    free.Claim(column, y);
                claimed.push_back({i, Run{x, start + rows.first, y - 1 + rows.first}});
                unowned -= y - start;
            }
        }
    }

    // Grouped by building, each building's runs in the order they were found.
    for (const auto& [owner, run] : claimed)
        ++begin_[owner + 1];
    for (std::size_t i = 1; i < begin_.size(); ++i)
        begin_[i] += begin_[i - 1];
    runs_.resize(claimed.size());
    std::vector<std::size_t> at(begin_.begin(), begin_.end() - 1);
    for (const auto& [owner, run] : claimed)
        runs_[at[owner]++] = run;
}

std::span<const BuildingCellOwners::Run> BuildingCellOwners::RunsOf(std::size_t index) const
{
    if (index + 1 >= begin_.size())
        return {};
    return std::span<const Run>(runs_).subspan(begin_[index], begin_[index + 1] - begin_[index]);
}

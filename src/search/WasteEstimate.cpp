#include "search/WasteEstimate.h"

#include "search/SearchState.h"

#include <array>
#include <vector>

namespace {

struct Cell {
    int x;
    int y;
};

// Groups are sets of cells of which at least one must be wasted. Open groups
// never share a cell (a new group touching an open one closes it instead), so
// one owner per cell is enough to find "the first open group sharing a cell".
class OpenGroups {
public:
    OpenGroups(int width, int height) : width_(width), owner_(static_cast<std::size_t>(width) * height, -1) {}

    // True when the group opened (and counts); false when it closed an older one.
    bool Offer(const Cell* cells, int count)
    {
        int first = -1;
        for (int i = 0; i < count; ++i) {
            const int g = owner_[Index(cells[i])];
            if (g >= 0 && (first < 0 || g < first))
                first = g;
        }
        if (first >= 0) {
            for (const Cell& c : groups_[static_cast<std::size_t>(first)])
                owner_[Index(c)] = -1;
            return false;
        }
        const int id = static_cast<int>(groups_.size());
        groups_.emplace_back(cells, cells + count);
        for (int i = 0; i < count; ++i)
            owner_[Index(cells[i])] = id;
        return true;
    }

private:
    std::size_t Index(const Cell& c) const { return static_cast<std::size_t>(c.x) + static_cast<std::size_t>(c.y) * width_; }

    int width_;
    std::vector<int> owner_;
    std::vector<std::vector<Cell>> groups_;
};

}  // namespace

int EstimateWaste(const SearchState& s)
{
    OpenGroups open(s.width, s.height);
    int estimate = 0;
    for (int x = 0; x < s.width; ++x) {
        for (int y = 0; y < s.height; ++y) {
            if (s.IsFree(x, y))
                continue;
            // Neighbours: right, left, below, above.
            const std::array<Cell, 4> n = {Cell{x + 1, y}, Cell{x - 1, y}, Cell{x, y + 1}, Cell{x, y - 1}};
            std::array<bool, 4> f{};
            int k = 0;
            for (int i = 0; i < 4; ++i)
                k += f[i] = s.IsFree(n[i].x, n[i].y);

            Cell group[3];
            int size = 0;
            if (k == 4) {
                ++estimate;
            } else if (k == 3) {
                int b = 0;
                while (f[b])
                    ++b;
                // The two cells beside b, on its side of the examined cell.
                const bool horizontal = b < 2;
                const Cell d1 = horizontal ? Cell{n[b].x, y - 1} : Cell{x - 1, n[b].y};
                const Cell d2 = horizontal ? Cell{n[b].x, y + 1} : Cell{x + 1, n[b].y};
                if (!s.IsFree(d1.x, d1.y) && !s.IsFree(d2.x, d2.y)) {
                    for (int i = 0; i < 4; ++i) {
                        if (f[i])
                            group[size++] = n[i];
                    }
                }
            } else if (k == 2) {
                const Cell below{x, y + 1}, right{x + 1, y}, above{x, y - 1}, left{x - 1, y};
                const Cell corners[4][2] = {{below, right}, {right, above}, {above, left}, {left, below}};
                const Cell sides[4][2] = {{{x - 1, y + 1}, {x + 1, y - 1}},
                                          {{x - 1, y - 1}, {x + 1, y + 1}},
                                          {{x - 1, y + 1}, {x + 1, y - 1}},
                                          {{x - 1, y - 1}, {x + 1, y + 1}}};
                for (int c = 0; c < 4; ++c) {
                    if (!s.IsFree(corners[c][0].x, corners[c][0].y) || !s.IsFree(corners[c][1].x, corners[c][1].y))
                        continue;
                    if (!s.IsFree(sides[c][0].x, sides[c][0].y) && !s.IsFree(sides[c][1].x, sides[c][1].y)) {
                        group[size++] = corners[c][0];
                        group[size++] = corners[c][1];
                    }
                    break;
                }
            }
            if (size > 0 && open.Offer(group, size))
                ++estimate;
        }
    }
    return estimate;
}

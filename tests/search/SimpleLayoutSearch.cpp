#include "search/SimpleLayoutSearch.h"

#include "search/SearchControl.h"
#include "search/SearchState.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Shape {
    int w;
    int h;
    int score;
};

constexpr Shape Factory{5, 4, 21};
constexpr Shape VerticalHouse{2, 3, 6};
constexpr Shape HorizontalHouse{3, 2, 6};

// The beam and the greedy fill try the two houses in opposite orders.
constexpr std::array<Shape, 3> BeamShapes{Factory, VerticalHouse, HorizontalHouse};
constexpr std::array<Shape, 3> GreedyShapes{Factory, HorizontalHouse, VerticalHouse};

using Cell = std::pair<int, int>;

// A cell is alive while some 2 × 2 square around it is free; no shape can
// ever cover it otherwise.
bool IsDead(const SearchState& s, int x, int y)
{
    static constexpr std::array<Cell, 9> ring{
        {{0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}}};
    for (int square = 0; square < 4; ++square) {
        bool othersFree = true;
        for (int i = 2 * square; i <= 2 * square + 2; ++i)
            othersFree = othersFree && s.IsFree(x + ring[i].first, y + ring[i].second);
        if (othersFree)
            return false;
    }
    return true;
}

void ClearDeadCells(SearchState& region)
{
    for (int x = 0; x < region.width; ++x) {
        for (int y = 0; y < region.height; ++y) {
            if (region.IsFree(x, y) && IsDead(region, x, y))
                region.SetFree(x, y, false);
        }
    }
}

// Scans x outer, y inner from `at` on and leaves `at` on the first free
// cell. Cells are only ever cleared, so a search may resume where the last
// one stopped.
bool FindNextFree(const SearchState& s, Cell& at)
{
    for (int x = at.first, y = at.second; x < s.width; ++x, y = 0) {
        for (; y < s.height; ++y) {
            if (s.IsFree(x, y)) {
                at = {x, y};
                return true;
            }
        }
    }
    return false;
}

// Clears the 4-connected cells reachable from `start` in the region and
// returns them.
std::vector<Cell> TakeOutCells(SearchState& region, Cell start)
{
    std::vector<Cell> cells;
    std::vector<Cell> pending{start};
    region.SetFree(start.first, start.second, false);
    while (!pending.empty()) {
        const Cell c = pending.back();
        pending.pop_back();
        cells.push_back(c);
        for (const Cell& step : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}}) {
            const int nx = c.first + step.first;
            const int ny = c.second + step.second;
            if (region.IsFree(nx, ny)) {
                region.SetFree(nx, ny, false);
                pending.push_back({nx, ny});
            }
        }
    }
    return cells;
}

struct Component {
    int originX = 0;
    int originY = 0;
    SearchState state;
};

Component TakeOutComponent(SearchState& region, Cell start)
{
    const std::vector<Cell> cells = TakeOutCells(region, start);
    int minX = start.first, maxX = start.first, minY = start.second, maxY = start.second;
    for (const Cell& c : cells) {
        minX = std::min(minX, c.first);
        maxX = std::max(maxX, c.first);
        minY = std::min(minY, c.second);
        maxY = std::max(maxY, c.second);
    }
    Component component{minX, minY, SearchState::Box(maxX - minX + 1, maxY - minY + 1)};
    for (const Cell& c : cells)
        component.state.SetFree(c.first - minX, c.second - minY, true);
    return component;
}

// Counts the places where some cell of the component must be wasted: a hole
// cell boxed in on all four sides, or a pocket of three or two free
// neighbours around a non-free cell that no shape can fill from the side.
// Pockets that share a cell are counted once.
int WasteEstimate(const SearchState& s)
{
    static constexpr std::array<Cell, 4> sides{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
    struct Corner {
        Cell a, b, diagonal1, diagonal2;
    };
    static constexpr std::array<Corner, 4> corners{{
        {{0, 1}, {1, 0}, {-1, 1}, {1, -1}},
        {{1, 0}, {0, -1}, {-1, -1}, {1, 1}},
        {{0, -1}, {-1, 0}, {-1, 1}, {1, -1}},
        {{-1, 0}, {0, 1}, {-1, -1}, {1, 1}},
    }};

    int estimate = 0;
    std::vector<std::vector<Cell>> openGroups;
    const auto addGroup = [&](const std::vector<Cell>& group) {
        for (auto open = openGroups.begin(); open != openGroups.end(); ++open) {
            const bool shares = std::any_of(group.begin(), group.end(), [&](Cell c) {
                return std::find(open->begin(), open->end(), c) != open->end();
            });
            if (shares) {
                openGroups.erase(open);
                return;
            }
        }
        ++estimate;
        openGroups.push_back(group);
    };

    for (int x = 0; x < s.width; ++x) {
        for (int y = 0; y < s.height; ++y) {
            if (s.IsFree(x, y))
                continue;
            const auto isFree = [&](Cell d) { return s.IsFree(x + d.first, y + d.second); };
            const auto at = [&](Cell d) { return Cell{x + d.first, y + d.second}; };
            std::vector<Cell> freeSides;
            for (const Cell& d : sides) {
                if (isFree(d))
                    freeSides.push_back(at(d));
            }
            if (freeSides.size() == 4) {
                ++estimate;
            } else if (freeSides.size() == 3) {
                const Cell blocked = *std::find_if(sides.begin(), sides.end(), [&](Cell d) { return !isFree(d); });
                const Cell along{blocked.second, blocked.first};
                const Cell beside1{blocked.first + along.first, blocked.second + along.second};
                const Cell beside2{blocked.first - along.first, blocked.second - along.second};
                if (!isFree(beside1) && !isFree(beside2))
                    addGroup(freeSides);
            } else if (freeSides.size() == 2) {
                const auto corner = std::find_if(corners.begin(), corners.end(),
                                                 [&](const Corner& c) { return isFree(c.a) && isFree(c.b); });
                if (corner != corners.end() && !isFree(corner->diagonal1) && !isFree(corner->diagonal2))
                    addGroup({at(corner->a), at(corner->b)});
            }
        }
    }
    return estimate;
}

// Every shape covers an even number of cells, so an odd remainder costs one
// more cell (or one less when the estimate exceeds the component).
int MinimumWaste(int cells, int estimate)
{
    return estimate + (cells - estimate) % 2;
}

bool IsComplete(const SearchState& s)
{
    return s.cursorY >= s.height || s.cursorX >= s.width;
}

bool Fits(const SearchState& s, const Shape& shape)
{
    for (int x = s.cursorX; x < s.cursorX + shape.w; ++x) {
        for (int y = s.cursorY; y < s.cursorY + shape.h; ++y) {
            if (!s.IsFree(x, y))
                return false;
        }
    }
    return true;
}

void ClearIfDead(SearchState& s, int x, int y)
{
    if (s.IsFree(x, y) && IsDead(s, x, y)) {
        s.SetFree(x, y, false);
        ++s.waste;
    }
}

void Place(SearchState& s, const Shape& shape, const SearchControl& control)
{
    const int cx = s.cursorX;
    const int cy = s.cursorY;
    for (int x = cx; x < cx + shape.w; ++x) {
        for (int y = cy; y < cy + shape.h; ++y)
            s.SetFree(x, y, false);
    }
    s.placed.push_back({static_cast<std::uint8_t>(control.originX + cx), static_cast<std::uint8_t>(control.originY + cy),
                        static_cast<std::uint8_t>(shape.w), static_cast<std::uint8_t>(shape.h)});
    for (int x = cx; x < cx + shape.w; ++x) {
        ClearIfDead(s, x, cy - 1);
        ClearIfDead(s, x, cy + shape.h);
    }
    for (int y = cy; y < cy + shape.h; ++y) {
        ClearIfDead(s, cx - 1, y);
        ClearIfDead(s, cx + shape.w, y);
    }
}

// Moves to the next free cell along the scan line, wrapping to the next
// line; a cursor past the last line marks the state complete.
void Advance(SearchState& s, bool rowScan)
{
    int along = rowScan ? s.cursorX : s.cursorY;
    int across = rowScan ? s.cursorY : s.cursorX;
    const int lineLength = rowScan ? s.width : s.height;
    const int lineCount = rowScan ? s.height : s.width;
    const auto isFreeAt = [&] { return rowScan ? s.IsFree(along, across) : s.IsFree(across, along); };
    ++along;
    for (;;) {
        if (along >= lineLength) {
            along = 0;
            ++across;
        } else if (across >= lineCount || isFreeAt()) {
            break;
        } else {
            ++along;
        }
    }
    s.cursorX = static_cast<std::uint8_t>(rowScan ? along : across);
    s.cursorY = static_cast<std::uint8_t>(rowScan ? across : along);
}

// One run over a region: the region, the control and the count of states
// taken from the store over all components.
class RunContext {
public:
    RunContext(SearchState& region, SearchControl& control) : region_(region), control_(control) {}

    SearchControl& Control() { return control_; }

    void CountTake()
    {
        ++taken_;
        control_.expansions = taken_;
        StopIfLimitReached();
    }
    void StopIfLimitReached()
    {
        if (control_.stopAfterExpansions >= 0 && taken_ >= control_.stopAfterExpansions)
            control_.stop = true;
    }
    void NoteStoreSize(std::size_t size)
    {
        const auto n = static_cast<std::int64_t>(size);
        control_.statesKept = n;
        if (n > control_.peakStates)
            control_.peakStates = n;
    }
    void Append(const SearchState& finished)
    {
        region_.placed.insert(region_.placed.end(), finished.placed.begin(), finished.placed.end());
    }

private:
    SearchState& region_;
    SearchControl& control_;
    std::int64_t taken_ = 0;
};

void GreedyFill(RunContext& run, SearchState s)
{
    const SearchControl& control = run.Control();
    while (s.cursorY < s.height && s.cursorX < s.width) {
        if (control.cancel)
            return;
        const auto shape = std::find_if(GreedyShapes.begin(), GreedyShapes.end(),
                                        [&](const Shape& candidate) { return Fits(s, candidate); });
        if (shape != GreedyShapes.end()) {
            Place(s, *shape, control);
            s.score += shape->score;
            Advance(s, control.rowScan);
        } else {
            Advance(s, control.rowScan);
            ++s.waste;
        }
    }
    run.Append(s);
}

struct StoreEntry {
    int excess;
    std::int32_t score;
    std::uint64_t sequence;
    SearchState state;
};

// Fewer cells wasted beyond the estimate first (in steps of two), then the
// higher score, then the earlier insertion.
struct StoreOrder {
    bool operator()(const StoreEntry& a, const StoreEntry& b) const
    {
        return std::tie(a.excess, b.score, a.sequence) < std::tie(b.excess, a.score, b.sequence);
    }
};

class StateStore {
public:
    explicit StateStore(int minWaste) : minWaste_(minWaste) {}

    bool Empty() const { return entries_.empty(); }
    std::size_t Size() const { return entries_.size(); }
    void Insert(SearchState s)
    {
        const int excess = std::max(0, (static_cast<int>(s.waste) - minWaste_ + 1) / 2);
        entries_.insert(StoreEntry{excess, s.score, nextSequence_++, std::move(s)});
    }
    SearchState TakeFirst() { return std::move(entries_.extract(entries_.begin()).value().state); }
    const SearchState& Last() const { return std::prev(entries_.end())->state; }
    void RemoveLast() { entries_.erase(std::prev(entries_.end())); }
    void Clear() { entries_.clear(); }

private:
    int minWaste_;
    std::uint64_t nextSequence_ = 0;
    std::multiset<StoreEntry, StoreOrder> entries_;
};

void BeamSearch(RunContext& run, SearchState component)
{
    SearchControl& control = run.Control();
    StateStore store(control.minWaste);
    store.Insert(std::move(component));
    run.NoteStoreSize(store.Size());
    SearchState cur;
    while (!store.Empty()) {
        cur = store.TakeFirst();
        run.CountTake();
        run.NoteStoreSize(store.Size());
        if (IsComplete(cur)) {
            run.Append(cur);
            return;
        }
        if (control.cancel)
            return;
        if (control.stop) {
            store.Clear();
            run.NoteStoreSize(0);
            GreedyFill(run, std::move(cur));
            return;
        }

        bool anyFits = false;
        for (const Shape& shape : BeamShapes) {
            if (!Fits(cur, shape))
                continue;
            anyFits = true;
            SearchState child = cur;
            child.score += shape.score;
            Place(child, shape, control);
            Advance(child, control.rowScan);
            store.Insert(std::move(child));
        }
        if (!anyFits) {
            ++cur.waste;
            Advance(cur, control.rowScan);
            store.Insert(cur);
        }
        run.NoteStoreSize(store.Size());

        while (!store.Empty() && static_cast<std::int64_t>(store.Size()) >= control.stateLimit)
            store.RemoveLast();
        while (!store.Empty()) {
            const SearchState& last = store.Last();
            const bool lagsInScore = cur.score - last.score > control.backCells;
            const bool lagsInWaste = static_cast<int>(last.waste) - static_cast<int>(cur.waste) > control.wasteSlack;
            if (!lagsInScore && !lagsInWaste)
                break;
            store.RemoveLast();
        }
        run.NoteStoreSize(store.Size());
    }
    run.Append(cur);
}

}  // namespace

void SimpleLayoutSearch::Run(SearchState& region, SearchControl& control, int maxBackLine)
{
    RunContext run(region, control);
    control.expansions = 0;
    control.peakStates = 0;
    control.statesKept = 0;
    control.componentsDone = 0;

    ClearDeadCells(region);
    run.StopIfLimitReached();

    Cell start{0, 0};
    while (FindNextFree(region, start)) {
        if (control.cancel)
            return;
        Component component = TakeOutComponent(region, start);
        const SearchState& box = component.state;
        const int cells = box.FreeCount();
        control.originX = component.originX;
        control.originY = component.originY;
        control.minWaste = MinimumWaste(cells, WasteEstimate(box));
        control.rowScan = box.height >= box.width;
        control.backCells = std::min<int>(box.width, box.height) * maxBackLine;
        control.wasteSlack = 3 * std::max(control.minWaste, 6);

        if (control.stop)
            GreedyFill(run, std::move(component.state));
        else
            BeamSearch(run, std::move(component.state));
        ++control.componentsDone;
    }
}

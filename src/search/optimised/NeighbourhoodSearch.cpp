#include "search/optimised/NeighbourhoodSearch.h"

#include "search/SearchControl.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// Components up to this many cells are solved whole first.
constexpr int kWholeComponentCells = 400;
constexpr int kWholeConflicts = 60000;
constexpr int kWindowConflicts = 12000;
// Two holes this close (in steps) are freed together along the way between
// them; up to the longer length, half the time.
constexpr int kCorridorLength[] = {24, 40};
// Two partners at most this far apart along either axis are freed together
// in their bounding box, with a margin that grows while the box is too small.
// Farther pairs are boxed too once they are the closest of their component,
// unless the box would be too large to solve in good time.
constexpr int kPairSpan = 30;
constexpr int kPairMargin = 3;
constexpr int kPairMarginGrowth = 4;
constexpr int kPairMostGrowth = SharedLayout::PairBox::kSizes - 1;
// A pair proven impossible to cover in a box this large is parted. The
// largest box is for pairs whose smaller boxes were too hard to solve.
constexpr int kPairPartingGrowth = kPairMostGrowth - 1;
// Each time the solver gives up on a pair box it gets four times the
// conflicts next time, this many times at most.
constexpr int kPairMostEffort = 3;
// A box this large takes a solver some tens of megabytes.
constexpr int kPairMostCells = 3200;
// A hole moving toward its partner does so in a window ahead of it, long
// along the way and wide across it, with the hole this far inside the back
// edge. Near a window's edge the buildings leave a hole no room to move, and
// in a thin window the colourings of rows and columns pin it too.
constexpr int kTowardAlong[] = {24, 32};
constexpr int kTowardAcross[] = {16, 22};
constexpr int kTowardBack[] = {5, 8};
// It first tries a step this long.
constexpr int kTowardStep = 14;
// Share of tasks, in percent, that try for more factories in a component at
// its least waste.
constexpr int kFactoryShare = 20;
// While small neighbourhoods keep gaining they are tried first; after this
// many hole tasks without a gain in a component, large ones.
constexpr int kStaleTasks = 24;

int Between(std::mt19937& dice, int low, int high)
{
    return low + static_cast<int>(dice() % static_cast<std::uint32_t>(high - low + 1));
}

int Distance(int a, int b)
{
    return std::abs(CellX(a) - CellX(b)) + std::abs(CellY(a) - CellY(b));
}

int CountFactories(const std::vector<Placement>& layout)
{
    return static_cast<int>(
        std::count_if(layout.begin(), layout.end(), [](const Placement& p) { return p.footprint == kFactory; }));
}

}  // namespace

SharedLayout::SharedLayout(PackingLayout& packing) : layout(packing)
{
    const auto& list = layout.Region().Components();
    components.resize(list.size());
    for (std::size_t c = 0; c < list.size(); ++c)
        components[c].bound = list[c].colourBound;
}

int SharedLayout::PairBox::NextSize(int largest)
{
    // While another search solves one size, this one tries a larger.
    const auto firstFree = [&](int size) {
        while (size <= largest && solving[static_cast<std::size_t>(size)])
            ++size;
        return size;
    };
    int size = firstFree(next);
    if (size > largest) {
        next = least;
        size = firstFree(next);
    }
    return size <= largest ? size : -1;
}

bool SharedLayout::PairBox::Finish(int size, Result result)
{
    // A box too small for the pair is made larger next time, and so is one
    // the solver gave up on: in a larger box a packing that covers the pair,
    // if there is one, is found sooner than a smaller box is proven too
    // small. After the largest, NextSize tries the sizes not proven too
    // small again, each with four times the conflicts it last had. A pair
    // that a large box proves impossible to cover is parted. A layout found
    // but not kept (another search changed the box meanwhile) tells nothing.
    const auto at = static_cast<std::size_t>(size);
    solving[at] = false;
    if (result == Result::Covered) {
        least = next = 0;
        givenUp = {};
    } else if (result == Result::Overtaken || size < least) {
    } else if (result == Result::TooHard) {
        givenUp[at] = std::min(givenUp[at] + 1, kPairMostEffort);
        next = size + 1;
    } else if (size < kPairPartingGrowth) {
        least = size + 1;
        next = std::max(next, least);
    } else {
        return true;
    }
    return false;
}

NeighbourhoodSearch::NeighbourhoodSearch(SharedLayout& shared, SearchControl& control, const OptimiseSettings& settings,
                                         int member, int members)
    : shared_(shared), layout_(shared.layout), components_(shared.components), region_(layout_.Region()),
      control_(control), settings_(settings),
      dice_(settings.seed + 7919u * static_cast<std::uint32_t>(member)), pairs_(shared.pairs)
{
    if (settings_.work < 0)
        deadline_ = std::chrono::steady_clock::now() + settings_.timeLimit;
    const auto& list = region_.Components();
    for (std::size_t c = 0; c < list.size(); ++c) {
        if (static_cast<int>(list[c].cells.size()) <= kWholeComponentCells)
            wholeOrder_.push_back(static_cast<int>(c));
    }
    std::stable_sort(wholeOrder_.begin(), wholeOrder_.end(), [&](int a, int b) {
        return list[static_cast<std::size_t>(a)].cells.size() < list[static_cast<std::size_t>(b)].cells.size();
    });
    // Each member starts at its own share of the small components.
    std::rotate(wholeOrder_.begin(), wholeOrder_.begin() + static_cast<std::ptrdiff_t>(wholeOrder_.size() * member / std::max(1, members)),
                wholeOrder_.end());
}

void NeighbourhoodSearch::Run()
{
    // The layout may be shared: it is read and changed under the lock, and
    // only the solver runs without it.
    std::unique_lock<std::mutex> hold(shared_.lock);
    while (!Finished()) {
        std::optional<Task> task = PickTask();
        if (!task)
            break;
        Extract(*task);
        ++workDone_;
        hold.unlock();
        const auto found = Solve(*task);
        hold.lock();
        task->found = found.has_value();
        Settle(*task, found && Unchanged(*task) && Apply(*task, *found));
        Publish();
    }
    Publish();
}

bool NeighbourhoodSearch::Unchanged(const Task& task) const
{
    // Another search may have changed the window while this one solved it,
    // even put the same building back under another id.
    const Neighbourhood now = Neighbourhood::Free(layout_, task.marked);
    if (now.freed != task.part.freed || now.uncovered != task.part.uncovered)
        return false;
    for (std::size_t i = 0; i < now.freed.size(); ++i) {
        if (!(layout_.Building(now.freed[i]) == task.hint[i]))
            return false;
    }
    return true;
}

bool NeighbourhoodSearch::AtBound(int component) const
{
    return layout_.ComponentUncovered(component) <= components_[static_cast<std::size_t>(component)].bound;
}

bool NeighbourhoodSearch::IsDone(int component) const
{
    return AtBound(component) && components_[static_cast<std::size_t>(component)].factoriesDone;
}

bool NeighbourhoodSearch::Finished() const
{
    if (control_.cancel || control_.stop)
        return true;
    if (deadline_ && std::chrono::steady_clock::now() >= *deadline_)
        return true;
    if (settings_.work >= 0 && workDone_ >= settings_.work)
        return true;
    for (std::size_t c = 0; c < components_.size(); ++c) {
        if (!IsDone(static_cast<int>(c)))
            return false;
    }
    return true;
}

std::optional<NeighbourhoodSearch::Task> NeighbourhoodSearch::PickTask()
{
    Task task;
    task.seed = static_cast<std::uint32_t>(dice_());
    while (wholeNext_ < wholeOrder_.size()) {
        const int c = wholeOrder_[wholeNext_];
        if (IsDone(c) || components_[static_cast<std::size_t>(c)].wholeTaken) {
            ++wholeNext_;
            continue;
        }
        components_[static_cast<std::size_t>(c)].wholeTaken = true;
        task.query = Query::WholeComponent;
        task.component = c;
        task.marked = region_.Components()[static_cast<std::size_t>(c)].cells;
        ++wholeNext_;
        return task;
    }
    task = Task{};
    task.seed = static_cast<std::uint32_t>(dice_());
    // More factories are sought first where the least waste is reached.
    if (Between(dice_, 0, 99) < kFactoryShare && PickFactoryTask(task, true))
        return task;
    if (PickHoleTask(task) || PickFactoryTask(task, false))
        return task;
    return std::nullopt;
}

bool NeighbourhoodSearch::PickHoleTask(Task& task)
{
    // A component above its least waste has uncovered cells of both colours:
    // only where two of them meet can a window gain.
    const std::vector<int> holes = PairedAboveBound();
    for (int attempt = 0; attempt < 8 && !holes.empty(); ++attempt) {
        const int u = holes[dice_() % holes.size()];
        const int c = region_.ComponentOf(u);
        const int partner = pairs_.PartnerOf(u);
        task.marked.clear();
        task.query = Query::Improve;
        task.component = c;
        const bool large = components_[static_cast<std::size_t>(c)].stale >= kStaleTasks;
        const int ux = CellX(u), uy = CellY(u);
        if (partner >= 0 && HolePairs::Span(u, partner) <= std::max(kPairSpan, pairs_.ClosestSpan(c)) &&
            Between(dice_, 0, 1) == 0 && MarkPairBox(u, partner, task)) {
        } else if (partner >= 0 && Between(dice_, 0, 9) < 6) {
            if (Distance(u, partner) <= kCorridorLength[Between(dice_, 0, 1)])
                MarkCorridor(u, partner, large ? Between(dice_, 4, 8) : Between(dice_, 1, 3), task);
            else
                MarkToward(u, partner, task);
        } else {
            const int low = large ? 14 : 6, high = large ? 26 : 12;
            const int w = Between(dice_, low, high), h = Between(dice_, low, high);
            MarkRect(ux - Between(dice_, 0, w - 1), uy - Between(dice_, 0, h - 1), w, h, task);
        }
        if (HasCells(task))
            return true;
    }
    task.component = -1;
    return false;
}

std::vector<int> NeighbourhoodSearch::PairedAboveBound()
{
    const auto& all = layout_.Holes();
    const auto aboveBound = [this](int hole) { return !AtBound(region_.ComponentOf(hole)); };
    const auto paired = [&] {
        pairs_.Update(region_, all);
        std::vector<int> holes;
        std::copy_if(pairs_.Paired().begin(), pairs_.Paired().end(), std::back_inserter(holes), aboveBound);
        return holes;
    };
    std::vector<int> holes = paired();
    if (!holes.empty() || std::none_of(all.begin(), all.end(), aboveBound))
        return holes;
    // Every pair where waste can still fall has been parted. The holes have
    // moved since many were, so a new round pairs them all again.
    pairs_.ForgetForbidden();
    shared_.pairBoxes.clear();
    return paired();
}

bool NeighbourhoodSearch::MarkPairBox(int u, int partner, Task& task)
{
    // Either way round, the same box.
    const std::int64_t key = HolePairs::Key(u, partner);
    SharedLayout::PairBox& box = shared_.pairBoxes[key];
    const int ux = CellX(u), uy = CellY(u), px = CellX(partner), py = CellY(partner);
    const int jitter = Between(dice_, 0, 2);
    const auto margin = [jitter](int growth) { return kPairMargin + kPairMarginGrowth * growth + jitter; };
    const auto sides = [&](int growth) {
        return std::pair{std::abs(px - ux) + 1 + 2 * margin(growth), std::abs(py - uy) + 1 + 2 * margin(growth)};
    };
    // Boxes grow with their size: the largest is the last that fits.
    int largest = kPairMostGrowth;
    while (largest >= 0 && sides(largest).first * sides(largest).second > kPairMostCells)
        --largest;
    const int growth = box.NextSize(largest);
    if (growth < 0)
        return false;
    const auto [w, h] = sides(growth);
    box.Start(growth);
    task.pairKey = key;
    task.pairGrowth = growth;
    task.effort = box.Effort(growth);
    task.mover = u;
    task.partner = partner;
    MarkRect(std::min(ux, px) - margin(growth), std::min(uy, py) - margin(growth), w, h, task);
    return true;
}

void NeighbourhoodSearch::MarkToward(int u, int partner, Task& task)
{
    // Too far apart to free at once: a window ahead of the hole, toward the
    // partner, in which the hole moves closer.
    const int ux = CellX(u), uy = CellY(u), dx = CellX(partner) - ux, dy = CellY(partner) - uy;
    const int along = Between(dice_, kTowardAlong[0], kTowardAlong[1]);
    const int across = Between(dice_, kTowardAcross[0], kTowardAcross[1]);
    const int back = Between(dice_, kTowardBack[0], kTowardBack[1]);
    if (std::abs(dx) >= std::abs(dy)) {
        const int x0 = dx > 0 ? ux - back : ux - along + 1 + back;
        MarkRect(x0, uy - across / 2, along, across, task);
    } else {
        const int y0 = dy > 0 ? uy - back : uy - along + 1 + back;
        MarkRect(ux - across / 2, y0, across, along, task);
    }
    task.query = Query::TowardPartner;
    task.mover = u;
    task.partner = partner;
}

bool NeighbourhoodSearch::PickFactoryTask(Task& task, bool atBoundOnly)
{
    const auto& list = region_.Components();
    if (list.empty())
        return false;
    const std::size_t first = dice_() % list.size();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::size_t c = (first + i) % list.size();
        if (components_[c].factoriesDone || list[c].cells.size() < 20 || (atBoundOnly && !AtBound(static_cast<int>(c))))
            continue;
        const int cell = list[c].cells[dice_() % list[c].cells.size()];
        const int w = Between(dice_, 6, 12), h = Between(dice_, 6, 12);
        task.marked.clear();
        MarkRect(CellX(cell) - Between(dice_, 0, w - 1), CellY(cell) - Between(dice_, 0, h - 1), w, h, task);
        task.query = Query::Factories;
        task.component = static_cast<int>(c);
        return HasCells(task);
    }
    return false;
}

void NeighbourhoodSearch::MarkRect(int x0, int y0, int w, int h, Task& task) const
{
    for (int y = std::max(0, y0); y < std::min(GridSize, y0 + h); ++y) {
        for (int x = std::max(0, x0); x < std::min(GridSize, x0 + w); ++x) {
            if (region_.ComponentOf(CellIndex(x, y)) >= 0)
                task.marked.push_back(CellIndex(x, y));
        }
    }
}

void NeighbourhoodSearch::MarkCorridor(int from, int to, int halfWidth, Task& task) const
{
    // Squares along the straight line from one cell to the other.
    const int x0 = CellX(from), y0 = CellY(from), x1 = CellX(to), y1 = CellY(to);
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    std::vector<bool> seen(GridCells, false);
    for (int s = 0; s <= steps; ++s) {
        const int cx = steps == 0 ? x0 : x0 + ((x1 - x0) * s + (x1 > x0 ? steps / 2 : -steps / 2)) / steps;
        const int cy = steps == 0 ? y0 : y0 + ((y1 - y0) * s + (y1 > y0 ? steps / 2 : -steps / 2)) / steps;
        for (int y = cy - halfWidth; y <= cy + halfWidth; ++y) {
            for (int x = cx - halfWidth; x <= cx + halfWidth; ++x) {
                if (!InGrid(x, y) || seen[static_cast<std::size_t>(CellIndex(x, y))])
                    continue;
                seen[static_cast<std::size_t>(CellIndex(x, y))] = true;
                if (region_.ComponentOf(CellIndex(x, y)) >= 0)
                    task.marked.push_back(CellIndex(x, y));
            }
        }
    }
}

void NeighbourhoodSearch::Extract(Task& task) const
{
    task.part = Neighbourhood::Free(layout_, task.marked);
    // The solver starts from the buildings there now.
    for (const int id : task.part.freed)
        task.hint.push_back(layout_.Building(id));
    if (task.query == Query::WholeComponent)
        task.bound = components_[static_cast<std::size_t>(task.component)].bound;
    if (task.query != Query::TowardPartner)
        return;
    // Moving a hole: the cells covered now and the hole, with their
    // distances from the partner.
    const WindowCells& w = task.part.cells;
    for (int y = 0; y < w.height; ++y) {
        for (int x = 0; x < w.width; ++x) {
            const int cell = CellIndex(w.x0 + x, w.y0 + y);
            if (w.IsOpen(x, y) && (cell == task.mover || layout_.Owner(cell) >= 0))
                task.distances.emplace_back(x + y * w.width, Distance(cell, task.partner));
        }
    }
}

std::optional<std::vector<Placement>> NeighbourhoodSearch::Solve(Task& task)
{
    const Neighbourhood& part = task.part;
    if (part.cells.open.empty())
        return std::nullopt;
    SolveLimits limits;
    limits.abandonWhen = {&control_.stop, &control_.cancel};
    limits.deadline = deadline_;
    limits.conflicts = task.query == Query::WholeComponent ? kWholeConflicts : kWindowConflicts;
    if (task.pairKey >= 0)
        limits.conflicts <<= 2 * task.effort;
    const int openCells = static_cast<int>(std::count(part.cells.open.begin(), part.cells.open.end(), 1));
    const int maxFactories = task.query == Query::WholeComponent ? openCells / 20 : part.factories + 1;
    // A box the focused search gave up on is searched steadily.
    WindowPacker packer(part.cells, part.uncovered, maxFactories, task.seed, task.hint,
                        task.effort > 0 ? WindowPacker::Search::Steady : WindowPacker::Search::Focused);
    if (task.query == Query::WholeComponent)
        return SolveWhole(task, packer, limits);

    using Outcome = WindowPacker::Outcome;
    if (task.query == Query::TowardPartner) {
        // A long step first, else any step: every cell farther from the
        // partner than the hole's new place stays covered.
        const int reach = Distance(task.mover, task.partner);
        for (const int step : {kTowardStep, 1}) {
            std::vector<int> mustCover;
            for (const auto& [cell, distance] : task.distances) {
                if (distance > reach - step)
                    mustCover.push_back(cell);
            }
            if (packer.Solve(part.uncovered, 0, mustCover, limits) == Outcome::Found)
                return packer.Layout();
        }
        return std::nullopt;
    }
    // Cells are covered in pairs, so less waste means two cells fewer.
    if (task.query == Query::Improve && part.uncovered - 2 >= packer.ColourBound()) {
        const Outcome outcome = packer.Solve(part.uncovered - 2, 0, {}, limits);
        if (outcome == Outcome::Found)
            return packer.Layout();
        task.tooHard = outcome == Outcome::Unknown;
    }
    if (task.query == Query::Factories && packer.Solve(part.uncovered, part.factories + 1, {}, limits) == Outcome::Found)
        return packer.Layout();
    return std::nullopt;
}

std::optional<std::vector<Placement>> NeighbourhoodSearch::SolveWhole(Task& task, WindowPacker& packer,
                                                                       const SolveLimits& limits)
{
    using Outcome = WindowPacker::Outcome;
    std::optional<std::vector<Placement>> best;
    // Upward from the proven bound: each impossible waste proves a higher one.
    int waste = std::max(task.bound, packer.ColourBound());
    for (; waste < task.part.uncovered; waste += 2) {
        const Outcome outcome = packer.Solve(waste, 0, {}, limits);
        if (outcome == Outcome::Found) {
            best = packer.Layout();
            break;
        }
        if (outcome == Outcome::Unknown) {
            task.bound = waste;
            return best;
        }
    }
    task.bound = waste;
    int factories = best ? CountFactories(*best) : task.part.factories;
    SolveLimits factoryLimits = limits;
    factoryLimits.conflicts = kWindowConflicts;
    for (;;) {
        const Outcome outcome = packer.Solve(waste, factories + 1, {}, factoryLimits);
        if (outcome != Outcome::Found) {
            task.factoriesProven = outcome == Outcome::Impossible;
            return best;
        }
        best = packer.Layout();
        factories = CountFactories(*best);
    }
}

bool NeighbourhoodSearch::Apply(const Task& task, const std::vector<Placement>& layout)
{
    int covered = 0;
    for (const Placement& p : layout)
        covered += p.Shape().Area();
    int freedArea = 0;
    for (const int id : task.part.freed)
        freedArea += layout_.Building(id).Shape().Area();
    // What the open cells leave uncovered now and with the new buildings.
    const int before = task.part.uncovered;
    const int after = task.part.uncovered + freedArea - covered;
    const bool moreFactories = CountFactories(layout) > task.part.factories;
    if (after > before || (after == before && task.query != Query::TowardPartner && !moreFactories))
        return false;
    for (const int id : task.part.freed)
        layout_.Remove(id);
    for (const Placement& p : layout)
        layout_.Place(p);
    return true;
}

void NeighbourhoodSearch::Settle(const Task& task, bool improved)
{
    if (task.query == Query::WholeComponent) {
        SharedLayout::ComponentState& c = components_[static_cast<std::size_t>(task.component)];
        c.bound = std::max(c.bound, std::min(task.bound, layout_.ComponentUncovered(task.component)));
        c.factoriesDone = c.factoriesDone || task.factoriesProven;
        return;
    }
    if (task.pairKey >= 0) {
        using Result = SharedLayout::PairBox::Result;
        const Result result = improved     ? Result::Covered
                              : task.found  ? Result::Overtaken
                              : task.tooHard ? Result::TooHard
                                             : Result::Impossible;
        if (shared_.pairBoxes[task.pairKey].Finish(task.pairGrowth, result))
            pairs_.Forbid(task.mover, task.partner);
    }
    if (task.query != Query::Factories) {
        SharedLayout::ComponentState& c = components_[static_cast<std::size_t>(task.component)];
        c.stale = improved ? 0 : c.stale + 1;
        return;
    }
    SharedLayout::ComponentState& c = components_[static_cast<std::size_t>(task.component)];
    const int cells = static_cast<int>(region_.Components()[static_cast<std::size_t>(task.component)].cells.size());
    c.factoryFailures = improved ? 0 : c.factoryFailures + 1;
    if (c.factoryFailures >= std::max(8, cells / 100))
        c.factoriesDone = true;
}

void NeighbourhoodSearch::Publish()
{
    int bound = region_.DeadCells();
    for (const SharedLayout::ComponentState& c : components_)
        bound += c.bound;
    control_.optimisedUncovered = layout_.Uncovered();
    control_.optimisedBound = bound;
}

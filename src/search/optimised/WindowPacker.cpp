#include "search/optimised/WindowPacker.h"

#include "search/optimised/ClauseSink.h"
#include "search/optimised/Totalizer.h"

#include <cadical.hpp>

#include <algorithm>
#include <cstdlib>

namespace {

class LimitWatch final : public CaDiCaL::Terminator {
public:
    explicit LimitWatch(const SolveLimits& limits) : limits_(limits) {}

    bool terminate() override
    {
        for (const std::atomic<bool>* flag : limits_.abandonWhen) {
            if (flag != nullptr && flag->load(std::memory_order_relaxed))
                return true;
        }
        return limits_.deadline && std::chrono::steady_clock::now() >= *limits_.deadline;
    }

private:
    const SolveLimits& limits_;
};

}  // namespace

WindowPacker::WindowPacker(const WindowCells& cells, int maxUncovered, int maxFactories, std::uint32_t seed,
                           const std::vector<Placement>& hint, Search search)
    : cells_(cells), solver_(std::make_unique<CaDiCaL::Solver>()), sink_(std::make_unique<ClauseSink>(*solver_))
{
    // Windows are small: preprocessing costs more than it saves.
    solver_->configure("plain");
    if (search == Search::Steady)
        solver_->set("stabilizeonly", 1);
    solver_->set("seed", static_cast<int>(seed & 0x7fffffff));
    const int w = cells_.width, h = cells_.height;
    const auto local = [w](int x, int y) { return static_cast<std::size_t>(x + y * w); };

    std::vector<std::vector<int>> coverers(static_cast<std::size_t>(w * h));
    std::vector<int> factoryVariables;
    for (const LocalPlacement& p : FittingPlacements(cells_)) {
        const Footprint& shape = kFootprints[static_cast<std::size_t>(p.footprint)];
        const int variable = sink_->NewVariable();
        candidates_.push_back({p.x, p.y, p.footprint, variable});
        if (p.footprint == kFactory)
            factoryVariables.push_back(variable);
        for (int j = p.y; j < p.y + shape.h; ++j) {
            for (int i = p.x; i < p.x + shape.w; ++i)
                coverers[local(i, j)].push_back(variable);
        }
    }
    ExcludeOverlaps();

    uncoveredVariable_.assign(static_cast<std::size_t>(w * h), 0);
    std::array<std::vector<int>, 2> uncoveredVariables;  // by colour
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto& list = coverers[local(x, y)];
            if (!cells_.IsOpen(x, y))
                continue;
            if (list.empty()) {
                ++uncoverable_;
                continue;
            }
            // Not marked uncovered means covered by one of them.
            const int u = sink_->NewVariable();
            uncoveredVariable_[local(x, y)] = u;
            uncoveredVariables[static_cast<std::size_t>(cells_.Colour(x, y))].push_back(u);
            sink_->Literal(u);
            for (const int variable : list)
                sink_->Literal(variable);
            sink_->End();
        }
    }
    if (!hint.empty()) {
        for (const Candidate& c : candidates_) {
            const Placement p{CellIndex(cells_.x0 + c.x, cells_.y0 + c.y), c.footprint};
            solver_->phase(std::find(hint.begin(), hint.end(), p) != hint.end() ? c.variable : -c.variable);
        }
    }
    // Every footprint covers as many cells of either colour, so the cells
    // left uncovered of one colour outnumber those of the other by a fixed
    // difference. Counting them by colour tells the solver so: a limit on
    // the total is a limit on each. Counting them together, it would have to
    // find that out by search, and it rarely does.
    for (std::size_t colour = 0; colour < 2; ++colour)
        coverableByColour_[colour] = static_cast<int>(uncoveredVariables[colour].size());
    colourBound_ = uncoverable_ + std::abs(coverableByColour_[1] - coverableByColour_[0]);
    for (std::size_t colour = 0; colour < 2; ++colour) {
        const int cap = UncoveredOfColour(maxUncovered, static_cast<int>(colour)) + 1;
        if (cap > 0)
            uncovered_[colour] =
                std::make_unique<Totalizer>(*sink_, uncoveredVariables[colour], cap, Totalizer::Use::LimitAtMost);
    }
    factoryCount_ = static_cast<int>(factoryVariables.size());
    if (maxFactories > 0 && factoryCount_ > 0)
        factories_ = std::make_unique<Totalizer>(*sink_, factoryVariables, maxFactories,
                                                 Totalizer::Use::RequireAtLeast);
}

WindowPacker::~WindowPacker() = default;

void WindowPacker::ExcludeOverlaps()
{
    // Two buildings that share a cell exclude each other: one clause of two
    // literals per overlapping pair. The solver settles these at once, where
    // an at-most-one per cell through helper variables, fewer clauses, takes
    // it several steps and packs large windows about half as fast.
    const int w = cells_.width, h = cells_.height;
    const auto at = [w, h](int footprint, int x, int y) {
        return static_cast<std::size_t>((footprint * h + y) * w + x);
    };
    std::vector<int> variableAt(kFootprints.size() * static_cast<std::size_t>(w * h), 0);
    for (const Candidate& c : candidates_)
        variableAt[at(c.footprint, c.x, c.y)] = c.variable;
    for (const Candidate& a : candidates_) {
        const Footprint& shapeA = kFootprints[static_cast<std::size_t>(a.footprint)];
        for (int f = 0; f < static_cast<int>(kFootprints.size()); ++f) {
            const Footprint& shapeB = kFootprints[static_cast<std::size_t>(f)];
            for (int y = std::max(0, a.y - shapeB.h + 1); y < std::min(h, a.y + shapeA.h); ++y) {
                for (int x = std::max(0, a.x - shapeB.w + 1); x < std::min(w, a.x + shapeA.w); ++x) {
                    const int b = variableAt[at(f, x, y)];
                    if (b > a.variable)  // each pair once
                        sink_->Add({-a.variable, -b});
                }
            }
        }
    }
}

int WindowPacker::UncoveredOfColour(int maxUncovered, int colour) const
{
    // Of the coverable cells left uncovered, this colour's count less the
    // other's is the difference of their coverable counts, and both together
    // are at most what may stay uncovered besides the uncoverable cells.
    const int allowed = maxUncovered - uncoverable_;
    const int difference = coverableByColour_[static_cast<std::size_t>(colour)] -
                           coverableByColour_[static_cast<std::size_t>(1 - colour)];
    const int twice = allowed + difference;
    return twice < 0 ? -1 : twice / 2;
}

std::vector<WindowPacker::LocalPlacement> WindowPacker::FittingPlacements(const WindowCells& cells)
{
    std::vector<LocalPlacement> out;
    for (int y = 0; y < cells.height; ++y) {
        for (int x = 0; x < cells.width; ++x) {
            if (!cells.IsOpen(x, y))
                continue;
            for (int f = 0; f < static_cast<int>(kFootprints.size()); ++f) {
                const Footprint& shape = kFootprints[static_cast<std::size_t>(f)];
                bool fits = x + shape.w <= cells.width && y + shape.h <= cells.height;
                for (int j = y; j < y + shape.h && fits; ++j) {
                    for (int i = x; i < x + shape.w && fits; ++i)
                        fits = cells.IsOpen(i, j);
                }
                if (fits)
                    out.push_back({x, y, f});
            }
        }
    }
    return out;
}

int WindowPacker::ColourBoundOf(const WindowCells& cells)
{
    std::vector<std::uint8_t> coverable(cells.open.size(), 0);
    for (const LocalPlacement& p : FittingPlacements(cells)) {
        const Footprint& shape = kFootprints[static_cast<std::size_t>(p.footprint)];
        for (int j = p.y; j < p.y + shape.h; ++j) {
            for (int i = p.x; i < p.x + shape.w; ++i)
                coverable[static_cast<std::size_t>(i + j * cells.width)] = 1;
        }
    }
    // Every footprint covers as many cells of either colour.
    int uncoverable = 0, balance = 0;
    for (int y = 0; y < cells.height; ++y) {
        for (int x = 0; x < cells.width; ++x) {
            if (!cells.IsOpen(x, y))
                continue;
            if (!coverable[static_cast<std::size_t>(x + y * cells.width)])
                ++uncoverable;
            else
                balance += cells.Colour(x, y) == 1 ? 1 : -1;
        }
    }
    return uncoverable + std::abs(balance);
}

WindowPacker::Outcome WindowPacker::Solve(int maxUncovered, int minFactories, const std::vector<int>& mustCover,
                                          const SolveLimits& limits)
{
    layout_.clear();
    if (maxUncovered < colourBound_ || minFactories > factoryCount_)
        return Outcome::Impossible;
    // Checked whole before any reaches the solver, which would keep them for
    // the next question.
    std::vector<int> assumptions;
    for (int colour = 0; colour < 2; ++colour) {
        const int allowed = UncoveredOfColour(maxUncovered, colour);
        if (allowed >= coverableByColour_[static_cast<std::size_t>(colour)])
            continue;
        const auto& count = uncovered_[static_cast<std::size_t>(colour)];
        const int tooMany = count ? count->AtLeast(allowed + 1) : 0;
        if (tooMany == 0)
            return Outcome::Unknown;  // beyond the cap given at construction
        assumptions.push_back(-tooMany);
    }
    if (minFactories > 0) {
        const int enough = factories_ ? factories_->AtLeast(minFactories) : 0;
        if (enough == 0)
            return Outcome::Unknown;
        assumptions.push_back(enough);
    }
    for (const int cell : mustCover) {
        const int u = uncoveredVariable_[static_cast<std::size_t>(cell)];
        if (u == 0)
            return Outcome::Impossible;
        assumptions.push_back(-u);
    }
    for (const int literal : assumptions)
        solver_->assume(literal);

    LimitWatch watch(limits);
    solver_->connect_terminator(&watch);
    solver_->limit("conflicts", limits.conflicts);
    const int result = solver_->solve();
    solver_->disconnect_terminator();
    if (result == 20)
        return Outcome::Impossible;
    if (result != 10)
        return Outcome::Unknown;
    for (const Candidate& c : candidates_) {
        if (solver_->val(c.variable) > 0)
            layout_.push_back({CellIndex(cells_.x0 + c.x, cells_.y0 + c.y), c.footprint});
    }
    return Outcome::Found;
}

std::vector<Placement> WindowPacker::Layout() const
{
    return layout_;
}

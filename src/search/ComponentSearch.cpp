#include "search/ComponentSearch.h"

#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/StateStore.h"

#include <algorithm>

namespace {

struct Shape {
    int w;
    int h;
    int score;
};

// A factory counts one point more than its area.
constexpr Shape kFactory{5, 4, 21};
constexpr Shape kVerticalHouse{2, 3, 6};
constexpr Shape kHorizontalHouse{3, 2, 6};
constexpr Shape kBeamShapes[] = {kFactory, kVerticalHouse, kHorizontalHouse};
constexpr Shape kGreedyShapes[] = {kFactory, kHorizontalHouse, kVerticalHouse};

}  // namespace

ComponentSearch::ComponentSearch(const SearchState& component, SearchControl& control)
    : control_(control), box_(component, control.rowScan), states_(box_, records_, control.originX, control.originY)
{
}

int ComponentSearch::ExcessClass(StateId id) const
{
    return std::max(0, (states_.At(id).waste - control_.minWaste + 1) / 2);
}

void ComponentSearch::Greedy(std::vector<LayoutRecord>& out)
{
    FillGreedily(states_.Initial(), out);
}

void ComponentSearch::FillGreedily(StateId id, std::vector<LayoutRecord>& out)
{
    while (!states_.Complete(id)) {
        if (control_.cancel) {
            states_.Free(id);
            return;
        }
        bool placed = false;
        for (const Shape& shape : kGreedyShapes) {
            if (states_.Fits(id, shape.w, shape.h)) {
                states_.At(id).score += shape.score;
                states_.Place(id, shape.w, shape.h);
                placed = true;
                break;
            }
        }
        if (!placed)
            ++states_.At(id).waste;
        states_.Advance(id);
    }
    states_.AppendRecords(id, out);
    states_.Free(id);
}

void ComponentSearch::Beam(std::vector<LayoutRecord>& out)
{
    StateStore store(states_);
    const StateId initial = states_.Initial();
    store.Insert(initial, ExcessClass(initial));

    // The records of the state expanded last, for a store that runs empty.
    RecordChain::NodeId lastRecords = RecordChain::kEmpty;
    auto keepLast = [&](StateId id) {
        records_.Release(lastRecords);
        lastRecords = states_.At(id).records;
        records_.Hold(lastRecords);
    };

    while (!store.Empty()) {
        const StateId cur = store.PopFront();
        const std::int64_t taken = ++control_.expansions;
        if (control_.stopAfterExpansions >= 0 && taken >= control_.stopAfterExpansions)
            control_.stop = true;

        if (states_.Complete(cur)) {
            states_.AppendRecords(cur, out);
            states_.Free(cur);
            store.Clear();
            records_.Release(lastRecords);
            return;
        }
        if (control_.cancel) {
            states_.Free(cur);
            store.Clear();
            records_.Release(lastRecords);
            return;
        }
        if (control_.stop) {
            store.Clear();
            records_.Release(lastRecords);
            FillGreedily(cur, out);
            return;
        }

        bool anyFits = false;
        for (const Shape& shape : kBeamShapes) {
            if (!states_.Fits(cur, shape.w, shape.h))
                continue;
            const StateId child = states_.Copy(cur);
            states_.At(child).score += shape.score;
            states_.Place(child, shape.w, shape.h);
            states_.Advance(child);
            store.Insert(child, ExcessClass(child));
            anyFits = true;
        }
        const ScanStates::Header expanded = [&] {
            if (anyFits)
                return states_.At(cur);
            // Nothing fits here: the cell is given up and the state goes on.
            ++states_.At(cur).waste;
            states_.Advance(cur);
            return states_.At(cur);
        }();
        keepLast(cur);
        if (anyFits)
            states_.Free(cur);
        else
            store.Insert(cur, ExcessClass(cur));

        while (!store.Empty() && static_cast<std::int64_t>(store.Size()) >= control_.stateLimit)
            states_.Free(store.PopBack());
        while (!store.Empty()) {
            const ScanStates::Header& t = states_.At(store.Back());
            if (expanded.score - t.score <= control_.backCells && t.waste - expanded.waste <= control_.wasteSlack)
                break;
            states_.Free(store.PopBack());
        }

        control_.statesKept = static_cast<std::int64_t>(store.Size());
        if (control_.peakStates < control_.statesKept)
            control_.peakStates = control_.statesKept.load();
    }
    records_.AppendTo(lastRecords, out);
    records_.Release(lastRecords);
}

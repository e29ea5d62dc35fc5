#include "search/ComponentSearch.h"

#include "search/CursorPatch.h"
#include "search/ExcessClass.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/StateStore.h"

#include <algorithm>
#include <atomic>
#include <new>

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

template <std::size_t N>
std::array<ScanShape, N> InScan(const Shape (&shapes)[N], bool rowScan)
{
    std::array<ScanShape, N> out;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = ScanShape::Make(shapes[i].w, shapes[i].h, shapes[i].score, rowScan);
    return out;
}

}  // namespace

ComponentSearch::ComponentSearch(const SearchState& component, SearchControl& control)
    : control_(control), box_(component, control.rowScan), records_(LeastRecordCollect(control.stateLimit)),
      states_(box_, records_, control.originX, control.originY),
      beamShapes_(InScan(kBeamShapes, control.rowScan)), greedyShapes_(InScan(kGreedyShapes, control.rowScan))
{
}

int ComponentSearch::ExcessClass(int waste) const
{
    return excess_class::Of(waste, control_.minWaste);
}

int ComponentSearch::MaxScore() const
{
    // No shape scores more than 21 for 20 cells.
    return box_.Lines() * box_.LineLength() * kFactory.score / (kFactory.w * kFactory.h) + kFactory.score;
}

std::size_t ComponentSearch::LeastRecordCollect(std::int64_t stateLimit)
{
    // A collection walks every kept state, so it waits for sixteen new
    // records per state: 128 bytes, far below a state's share of the budget.
    const std::int64_t states = std::clamp<std::int64_t>(stateLimit, 0, std::int64_t{1} << 26);
    return static_cast<std::size_t>(16 * states + 1024);
}

void ComponentSearch::Greedy(std::vector<LayoutRecord>& out)
{
    FillGreedily(states_.Initial(), out);
}

void ComponentSearch::FillGreedily(StateId id, std::vector<LayoutRecord>& out)
{
    while (!states_.Complete(id)) {
        if (control_.cancel.load(std::memory_order_relaxed)) {
            states_.Release(id);
            return;
        }
        const CursorPatch patch = states_.Patch(id);
        bool placed = false;
        for (const ScanShape& shape : greedyShapes_) {
            if (patch.Fits(shape)) {
                states_.Place(id, shape, patch);
                placed = true;
                break;
            }
        }
        if (!placed)
            states_.GiveUp(id);
    }
    states_.AppendRecords(id, out);
    states_.Release(id);
}

ComponentSearch::StateId ComponentSearch::Make(StateQueues::Entry kept, CursorPatch& patch)
{
    const StateId parent = kept.id >> 2;
    const std::uint32_t shape = kept.id & 3;
    if (shape != kItself)
        return states_.TakeChild(parent, beamShapes_[shape], kept.taken, kept.waste, patch);
    if (!states_.Complete(parent))
        patch = states_.Patch(parent);
    return parent;
}

void ComponentSearch::PrefetchPruned(const StateStore& store) const
{
    // Pruning walks a queue backwards, a stride hardware seldom follows, and
    // touches each state's holder count; both are read ahead.
    constexpr int kHoldsAhead = 8;
    constexpr int kEntriesAhead = 24;
    if (const StateQueues::Entry* soon = store.BeforeBack(kHoldsAhead))
        states_.PrefetchHolds(soon->id >> 2);
#if defined(__GNUC__)
    if (const StateQueues::Entry* later = store.BeforeBack(kEntriesAhead))
        __builtin_prefetch(later);
#endif
}

void ComponentSearch::DropAll(StateStore& store)
{
    while (!store.Empty())
        Drop(store.PopFront().id);
}

void ComponentSearch::Beam(std::vector<LayoutRecord>& out)
{
    StateStore store(MaxScore());
    const StateId initial = states_.Initial();
    store.Insert(StateQueues::Entry{Itself(initial), 0, {}}, ExcessClass(0), 0);

    // The records of the state expanded last, for a store that runs empty.
    RecordChain::NodeId lastRecords = RecordChain::kEmpty;
    // Progress goes out with plain stores: only this thread writes it, and a
    // reader is content with a value a moment old.
    std::int64_t expansions = control_.expansions.load(std::memory_order_relaxed);
    std::int64_t peakStates = control_.peakStates.load(std::memory_order_relaxed);

    // The state being expanded, held once more while it is: when memory
    // runs out, the search ends with it as a stop would.
    StateId inHand = kNoState;
    while (!store.Empty()) try {
        if (records_.WantsCollect()) {
            records_.Collect([&](const auto& visit) {
                states_.ForEachLiveRecords(visit);
                visit(lastRecords);
            });
        }
        const StateQueues::Entry front = store.PopFront();
        control_.expansions.store(++expansions, std::memory_order_relaxed);
        if (control_.stopAfterExpansions >= 0 && expansions >= control_.stopAfterExpansions)
            control_.stop = true;

        CursorPatch patch;
        const StateId cur = Make(front, patch);
        states_.Hold(cur);
        inHand = cur;
        if (states_.Complete(cur)) {
            states_.AppendRecords(cur, out);
            states_.Release(cur);
            states_.Release(cur);
            DropAll(store);
            return;
        }
        if (control_.cancel.load(std::memory_order_relaxed)) {
            states_.Release(cur);
            states_.Release(cur);
            DropAll(store);
            return;
        }
        if (control_.stop.load(std::memory_order_relaxed)) {
            states_.Release(cur);
            DropAll(store);
            FillGreedily(cur, out);
            return;
        }

        std::array<bool, kBeamShapeCount> fits{};
        bool anyFits = false;
        for (std::size_t i = 0; i < beamShapes_.size(); ++i) {
            fits[i] = patch.Fits(beamShapes_[i]);
            anyFits = anyFits || fits[i];
        }
        if (!anyFits) {
            // Nothing fits here: the cell is given up and the state goes on.
            states_.GiveUp(cur);
        }
        // Field by field: the header was written a field at a time just now.
        const ScanStates::Header& header = states_.At(cur);
        const struct {
            int score;
            int waste;
        } expanded{header.score, header.waste};
        lastRecords = header.records;
        if (anyFits) {
            // A child's place in the store needs only its score and waste,
            // which the patch tells without making the child.
            for (std::size_t i = 0; i < beamShapes_.size(); ++i) {
                if (!fits[i])
                    continue;
                const ScanShape& shape = beamShapes_[i];
                const CursorPatch::Placed placed = patch.Place(shape);
                const int waste = expanded.waste + placed.givenUp;
                states_.Hold(cur);
                store.Insert(StateQueues::Entry{Child(cur, i), waste, placed.taken}, ExcessClass(waste),
                             expanded.score + shape.score);
            }
            states_.Release(cur);
        } else {
            store.Insert(StateQueues::Entry{Itself(cur), expanded.waste, {}}, ExcessClass(expanded.waste),
                         expanded.score);
        }

        while (!store.Empty() && static_cast<std::int64_t>(store.Size()) >= control_.stateLimit)
            Drop(store.PopBack());
        while (!store.Empty()) {
            if (expanded.score - store.BackScore() <= control_.backCells) {
                // The back state's class bounds its waste, which mostly
                // spares reading the state before pruning takes it.
                const int mostBackWaste = excess_class::MostWaste(store.BackClass(), control_.minWaste);
                if (mostBackWaste - expanded.waste <= control_.wasteSlack) {
                    store.PrefetchBack();
                    break;
                }
                if (store.BackWaste() - expanded.waste <= control_.wasteSlack)
                    break;
            }
            Drop(store.PopBack());
            PrefetchPruned(store);
        }

        const auto kept = static_cast<std::int64_t>(store.Size());
        control_.statesKept.store(kept, std::memory_order_relaxed);
        if (peakStates < kept) {
            peakStates = kept;
            control_.peakStates.store(kept, std::memory_order_relaxed);
        }
        inHand = kNoState;
        states_.Release(cur);
    } catch (const std::bad_alloc&) {
        // Everything the store keeps goes, which gives memory back for the
        // greedy end; without a state in hand the component starts anew.
        control_.outOfMemory = true;
        control_.stop = true;
        DropAll(store);
        FillGreedily(inHand != kNoState ? inHand : states_.Initial(), out);
        return;
    }
    records_.AppendTo(lastRecords, out);
}

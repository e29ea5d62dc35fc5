#pragma once

#include "search/CursorPatch.h"
#include "search/OneWordWindow.h"
#include "search/RecordChain.h"
#include "search/ScanBox.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

struct ScanShape;

// The search states of one component. A state keeps only a window of eight
// scan lines around its cursor (two behind, five ahead): placements and
// dead-cell clearing never reach further, lines behind are never read again
// and lines ahead still hold the component's own bits. Its records live in a
// shared RecordChain. States live in slots, a small header followed by the
// window, and are named by index; a freed slot is reused first.
class ScanStates {
public:
    using StateId = std::uint32_t;
    static constexpr int kWindowLines = 8;
    static constexpr int kLinesBehind = PatchLines::kCursorLine;

    struct Header {
        RecordChain::NodeId records = RecordChain::kEmpty;
        std::int32_t score = 0;
        std::int32_t waste = 0;
        std::uint8_t cursorX = 0;
        std::uint8_t cursorY = 0;
        std::int16_t base = 0;  // the first line of the window
    };

    ScanStates(const ScanBox& box, RecordChain& records, int originX, int originY);
    ScanStates(const ScanStates&) = delete;
    ScanStates& operator=(const ScanStates&) = delete;

    // The component as it starts: cursor (0, 0), nothing placed. A new
    // state has one holder, the caller.
    StateId Initial();
    // States are shared by counting their holders: the caller, or the
    // children not made yet that refer to it. The last release frees it.
    void Hold(StateId id) { ++holds_[id]; }
    void Release(StateId id)
    {
        if (--holds_[id] == 0)
            Free(id);
    }
    bool SoleHolder(StateId id) const { return holds_[id] == 1; }
    // Starts reading the holder count of a state about to be released.
    void PrefetchHolds(StateId id) const
    {
#if defined(__GNUC__)
        __builtin_prefetch(&holds_[id]);
#else
        (void)id;
#endif
    }

    Header& At(StateId id) { return *std::launder(reinterpret_cast<Header*>(Slot(id))); }
    const Header& At(StateId id) const { return *std::launder(reinterpret_cast<const Header*>(Slot(id))); }

    // The cursor has left the box.
    bool Complete(StateId id) const;
    // The cells around the cursor, for fitting and placing shapes there.
    CursorPatch Patch(StateId id) const;
    // Places a shape that fits at the cursor, `patch` being the state's patch
    // as it stands: its cells are taken, its record added, its score counted,
    // and the dead cells it cuts off around it given up as waste. Then the
    // cursor moves on.
    void Place(StateId id, const ScanShape& shape, CursorPatch patch);
    // The child of `parent` that places `shape` at its cursor, `taken` being
    // what CursorPatch::Place took for it and `waste` the child's waste. The
    // caller's hold on the parent passes to the child: the last holder takes
    // the parent over instead of copying it. `patch` becomes the child's
    // patch, unless the child is complete.
    StateId TakeChild(StateId parent, const ScanShape& shape, const PatchLines& taken, int waste, CursorPatch& patch);
    // Gives up the cell at the cursor (it stays free) and moves on.
    void GiveUp(StateId id);

    void AppendRecords(StateId id, std::vector<LayoutRecord>& out) const { records_.AppendTo(At(id).records, out); }

    // Every record list a live state holds, for RecordChain::Collect.
    template <class Visit>
    void ForEachLiveRecords(const Visit& visit)
    {
        for (std::size_t id = 0; id < holds_.size(); ++id) {
            if (holds_[id] != 0)
                visit(At(static_cast<StateId>(id)).records);
        }
    }

    std::size_t Live() const { return liveCount_; }

private:
    static constexpr unsigned kChunkBits = 10;
    static constexpr unsigned kChunkMask = (1u << kChunkBits) - 1;
    // Slots start on cache lines, and a state whose scan lines are packed
    // fills exactly one: a parent is read in one go.
    static constexpr std::size_t kSlotAlign = 64;
    static constexpr std::size_t kSlotRound = 16;

    struct ChunkDelete {
        void operator()(std::byte* p) const { ::operator delete[](p, std::align_val_t{kSlotAlign}); }
    };

    std::byte* Slot(StateId id) const { return chunks_[id >> kChunkBits].get() + (id & kChunkMask) * slotBytes_; }
    std::uint64_t* Window(StateId id) { return reinterpret_cast<std::uint64_t*>(Slot(id) + sizeof(Header)); }
    const std::uint64_t* Window(StateId id) const
    {
        return reinterpret_cast<const std::uint64_t*>(Slot(id) + sizeof(Header));
    }
    // A line as the state sees it: from its window, or the component's own
    // bits beyond it. Never asked for lines behind the window.
    const std::uint64_t* ReadLine(StateId id, int line) const
    {
        const int offset = line - At(id).base;
        if (offset >= kWindowLines || line >= box_.Lines())
            return box_.OriginalLine(line);
        return Window(id) + static_cast<std::size_t>(offset) * box_.Words();
    }
    // Takes the cells `taken` marks (shape and given-up cells, on the
    // cursor's patch) of `from`, records the shape and moves on; the result
    // goes to `to`, which may be `from`.
    // When `patch` is given, it becomes the patch at the new cursor, unless
    // the state is complete.
    void Take(StateId from, StateId to, const ScanShape& shape, const PatchLines& taken, int waste,
              CursorPatch* patch = nullptr);
    // Take and Advance for lines of one word, on the window in locals.
    void TakeOneWord(StateId from, StateId to, const ScanShape& shape, const PatchLines& taken, int waste,
                     CursorPatch* patch);
    // The patch of a state from its window, cursor position and first line.
    CursorPatch PatchOf(const OneWordWindow& window, const Header& s) const;
    void AdvanceOneWord(Header& s, OneWordWindow& window) const;
    // Moves the cursor to the next free cell in scan order, or out of the box.
    void Advance(StateId id);
    void MoveWindow(StateId id, int newBase);
    LayoutRecord RecordAt(const Header& s, const ScanShape& shape) const;
    StateId Allocate();
    void Free(StateId id);
    void AddChunk();

    const ScanBox& box_;
    RecordChain& records_;
    int originX_;
    int originY_;
    bool oneWord_;  // lines of one word, worked on as a OneWordWindow
    bool packed_;   // and packed in six words
    std::size_t windowWords_;
    std::size_t slotBytes_;
    std::vector<std::unique_ptr<std::byte[], ChunkDelete>> chunks_;
    // Free slots are handed out oldest first, so the next few are known in
    // time to be read ahead.
    static constexpr std::size_t kAllocateAhead = 16;
    std::vector<StateId> freeRing_;
    std::size_t freeHead_ = 0;
    std::size_t freeCount_ = 0;
    std::vector<std::uint8_t> holds_;  // per slot, 0 for a free one
    std::size_t liveCount_ = 0;
};

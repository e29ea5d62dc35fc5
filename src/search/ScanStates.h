#pragma once

#include "search/RecordChain.h"
#include "search/ScanBox.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The search states of one component. A state keeps only a window of eight
// scan lines around its cursor (two behind, five ahead): placements and
// dead-cell clearing never reach further, lines behind are never read again
// and lines ahead still hold the component's own bits. Its records live in a
// shared RecordChain. States live in a pool and are named by index.
class ScanStates {
public:
    using StateId = std::uint32_t;
    static constexpr StateId kNone = 0xFFFFFFFFu;
    static constexpr int kWindowLines = 8;
    static constexpr int kLinesBehind = 2;

    struct Header {
        RecordChain::NodeId records = RecordChain::kEmpty;
        std::int32_t score = 0;
        std::int32_t waste = 0;
        std::uint8_t cursorX = 0;
        std::uint8_t cursorY = 0;
        std::int16_t base = 0;  // the first line of the window
        StateId previous = kNone;  // neighbours in the store
        StateId next = kNone;
    };

    ScanStates(const ScanBox& box, RecordChain& records, int originX, int originY);

    // The component as it starts: cursor (0, 0), nothing placed.
    StateId Initial();
    StateId Copy(StateId from);
    void Free(StateId id);

    Header& At(StateId id) { return headers_[id >> kChunkBits][id & kChunkMask]; }
    const Header& At(StateId id) const { return headers_[id >> kChunkBits][id & kChunkMask]; }

    // The cursor has left the box.
    bool Complete(StateId id) const;
    // A w × h shape with its first cell at the cursor lies in the box on free cells.
    bool Fits(StateId id, int w, int h) const;
    // Places such a shape: its cells taken, its record added, and the dead
    // cells it cuts off around it given up as waste.
    void Place(StateId id, int w, int h);
    // Moves the cursor to the next free cell in scan order, or out of the box.
    void Advance(StateId id);

    void AppendRecords(StateId id, std::vector<LayoutRecord>& out) const { records_.AppendTo(At(id).records, out); }

    std::size_t Live() const { return live_; }

private:
    static constexpr unsigned kChunkBits = 10;
    static constexpr unsigned kChunkMask = (1u << kChunkBits) - 1;

    std::uint64_t* Window(StateId id) { return windows_[id >> kChunkBits].get() + (id & kChunkMask) * windowWords_; }
    const std::uint64_t* Window(StateId id) const
    {
        return windows_[id >> kChunkBits].get() + (id & kChunkMask) * windowWords_;
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
    std::uint64_t* WindowLine(StateId id, int line);
    // The cell and its eight neighbours as bits (line offset + 1) * 3 + (pos offset + 1).
    unsigned Neighbourhood(StateId id, int line, int pos) const;
    // The free cells around a shape just placed at (line, pos) that are dead
    // now: one mask per line from line - 1 on, bit k for position pos - 2 + k.
    // False when there is none.
    using AroundMasks = std::array<std::uint64_t, kWindowLines>;
    bool DeadAround(StateId id, int line, int pos, int alongLine, int acrossLines, AroundMasks& dead) const;
    void GiveUpDeadAround(StateId id, int cx, int cy, int w, int h, const AroundMasks& dead);
    void MoveWindow(StateId id, int newBase);
    StateId Allocate();

    const ScanBox& box_;
    RecordChain& records_;
    int originX_;
    int originY_;
    std::size_t windowWords_;
    std::vector<std::unique_ptr<Header[]>> headers_;
    std::vector<std::unique_ptr<std::uint64_t[]>> windows_;
    StateId capacity_ = 0;
    StateId freeList_ = kNone;
    std::size_t live_ = 0;
};

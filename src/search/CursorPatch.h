#pragma once

#include "search/PatchLines.h"
#include "search/ScanShape.h"

#include <cstdint>

// The cells around a state's cursor: scan lines cursorLine - 2 .. + 6,
// positions cursorPos - 2 .. + 9, cells outside the box read as taken. Every
// shape placed at the cursor, the cells around it and their neighbours fall
// inside, so fitting and placing work here alone, a few words at a time.
// Patches are small and made and used in one place: the common steps are
// inline, so that a patch stays in registers.
class CursorPatch {
public:
    PatchLines free;

    struct Placed {
        PatchLines free;   // what is left free
        PatchLines taken;  // the shape's cells and the cells given up
        int givenUp = 0;
    };

    bool Fits(const ScanShape& shape) const
    {
        return ((shape.cells.words[0] & ~free.words[0]) | (shape.cells.words[1] & ~free.words[1])) == 0;
    }

    // Takes the shape's cells, then gives up the free cells around it that
    // are dead, examined in the shape's order: a cell given up counts as
    // taken for the cells examined after it.
    Placed Place(const ScanShape& shape) const
    {
        // Built from scalars and returned whole, so that it stays in registers.
        PatchLines left;
        left.words[0] = free.words[0] & ~shape.cells.words[0];
        left.words[1] = free.words[1] & ~shape.cells.words[1];
        const PatchLines dead = DeadCells(left, shape.around);
        // Cells seldom die; when none is dead now, none dies at all.
        if (!dead.Any())
            return Placed{left, shape.cells, 0};
        // Taking a cell can only kill its neighbours, never revive one: a
        // cell dead now dies, and a live one can die only after a neighbour
        // did. If no live one dies even with all the dead ones gone, the dead
        // ones are all.
        PatchLines without;
        without.words[0] = left.words[0] & ~dead.words[0];
        without.words[1] = left.words[1] & ~dead.words[1];
        if (DeadCells(without, shape.around).Any())
            return GiveUpOneByOne(shape, left, dead);
        PatchLines taken;
        taken.words[0] = shape.cells.words[0] | dead.words[0];
        taken.words[1] = shape.cells.words[1] | dead.words[1];
        return Placed{without, taken, CountCells(dead.words[0]) + CountCells(dead.words[1])};
    }

private:
    // The cells of `free` marked in `around` that are dead: a free cell is
    // alive when one of the four 2 × 2 squares holding it is all free.
    static PatchLines DeadCells(const PatchLines& free, const PatchLines& around)
    {
        constexpr int step = PatchLines::kLineBits;
        constexpr int lastInFirst = PatchLines::kLineBits * (PatchLines::kLinesInFirst - 1);
        const std::uint64_t first = free.words[0];
        const std::uint64_t second = free.words[1];
        // Each line beside the line after it.
        const std::uint64_t firstNext = ((first >> step) | (second << lastInFirst)) & kFirstLines;
        const std::uint64_t secondNext = second >> step;
        // Bit k of a line: the square of that line and the next, positions k and k + 1, is all free.
        const std::uint64_t firstPairs = first & firstNext;
        const std::uint64_t secondPairs = second & secondNext;
        const std::uint64_t firstSquares = firstPairs & ((firstPairs >> 1) & kButLast);
        const std::uint64_t secondSquares = secondPairs & ((secondPairs >> 1) & kButLast);
        // The squares holding a cell start on its line or the one before, at its position or the one before.
        const std::uint64_t firstRows = firstSquares | ((firstSquares << step) & kFirstLines);
        const std::uint64_t secondRows =
            secondSquares | ((secondSquares << step) & kSecondLines) | (firstSquares >> lastInFirst);
        const std::uint64_t firstAlive = firstRows | ((firstRows << 1) & kButFirst);
        const std::uint64_t secondAlive = secondRows | ((secondRows << 1) & kButFirst);
        PatchLines dead;
        dead.words[0] = first & ~firstAlive & around.words[0];
        dead.words[1] = second & ~secondAlive & around.words[1];
        return dead;
    }

    // Few cells die at once: counting them one by one beats a library call.
    static int CountCells(std::uint64_t bits)
    {
        int count = 0;
        for (; bits != 0; bits &= bits - 1)
            ++count;
        return count;
    }

    // The rare case where giving up one cell kills another: the cells around
    // the shape, examined one at a time. `left` is what the shape left free,
    // `dead` the cells dead then.
    static Placed GiveUpOneByOne(const ScanShape& shape, const PatchLines& left, const PatchLines& dead);

    // The lines of each word; every line but its first position; every line but its last.
    static constexpr int kFirst = PatchLines::kLinesInFirst;
    static constexpr std::uint64_t kFirstLines = PatchLines::EveryLine(PatchLines::kLineMask, kFirst);
    static constexpr std::uint64_t kSecondLines =
        PatchLines::EveryLine(PatchLines::kLineMask, PatchLines::kLines - kFirst);
    static constexpr std::uint64_t kButFirst = PatchLines::EveryLine(PatchLines::kLineMask & ~1u, kFirst);
    static constexpr std::uint64_t kButLast = PatchLines::EveryLine(PatchLines::kLineMask >> 1, kFirst);
};

#pragma once

#include "search/PatchLines.h"

#include <cstdint>
#include <cstring>

// The eight scan lines of a state's window when a line fits in one word,
// taken out of the state's slot into locals, worked on there and put back
// whole: a step reads and writes the slot once. A slot keeps them a word a
// line or, for lines of at most 48 positions, packed in six words so that a
// state fills one cache line: lines 0–5 are the low 48 bits of words 0–5,
// line 6 the high 16 bits of words 0–2 and line 7 those of words 3–5.
struct OneWordWindow {
    static constexpr int kLines = 8;
    static constexpr int kPackedWords = 6;
    static constexpr int kPackedLength = 48;

    std::uint64_t lines[kLines];

    // Written out line by line: these run on every step of the search.
    void Load(const std::uint64_t* slot, bool packed)
    {
        if (!packed) {
            std::memcpy(lines, slot, sizeof lines);
            return;
        }
        const std::uint64_t w0 = slot[0], w1 = slot[1], w2 = slot[2], w3 = slot[3], w4 = slot[4], w5 = slot[5];
        lines[0] = w0 & kLow;
        lines[1] = w1 & kLow;
        lines[2] = w2 & kLow;
        lines[3] = w3 & kLow;
        lines[4] = w4 & kLow;
        lines[5] = w5 & kLow;
        lines[6] = (w0 >> 48) | (w1 >> 48) << 16 | (w2 >> 48) << 32;
        lines[7] = (w3 >> 48) | (w4 >> 48) << 16 | (w5 >> 48) << 32;
    }
    void Store(std::uint64_t* slot, bool packed) const
    {
        if (!packed) {
            std::memcpy(slot, lines, sizeof lines);
            return;
        }
        const std::uint64_t six = lines[6], seven = lines[7];
        slot[0] = lines[0] | six << 48;
        slot[1] = lines[1] | (six >> 16) << 48;
        slot[2] = lines[2] | (six >> 32) << 48;
        slot[3] = lines[3] | seven << 48;
        slot[4] = lines[4] | (seven >> 16) << 48;
        slot[5] = lines[5] | (seven >> 32) << 48;
    }

    // The patch whose first line is the window's first, from position
    // `start` on (which may be negative); `beyond` is the line after the window.
    PatchLines Gather(int start, std::uint64_t beyond) const
    {
        PatchLines patch;
        if (start >= 0)
            GatherWith(patch, beyond, [start](std::uint64_t line) { return line >> start; });
        else
            GatherWith(patch, beyond, [start](std::uint64_t line) { return line << -start; });
        return patch;
    }

    // Clears the cells `taken` marks on the patch that Gather(start, ...)
    // gave; only its lines 1 to 7 are ever taken from.
    void Clear(int start, const PatchLines& taken)
    {
        if (start >= 0)
            ClearWith(taken, [start](std::uint64_t bits) { return bits << start; });
        else
            ClearWith(taken, [start](std::uint64_t bits) { return bits >> -start; });
    }

    // Moves the window `shift` lines on; `original(i)` is the component's
    // own line i of the new window.
    template <class Original>
    void Shift(int shift, const Original& original)
    {
        for (int i = 0; i < kLines; ++i)
            lines[i] = i + shift < kLines ? lines[i + shift] : original(i);
    }

private:
    static constexpr std::uint64_t kLow = (std::uint64_t{1} << kPackedLength) - 1;
    static constexpr int kStep = PatchLines::kLineBits;
    static constexpr std::uint64_t kMask = PatchLines::kLineMask;

    template <class At>
    void GatherWith(PatchLines& patch, std::uint64_t beyond, const At& at) const
    {
        static_assert(PatchLines::kLinesInFirst == 5 && PatchLines::kLines == kLines + 1);
        patch.words[0] = (at(lines[0]) & kMask) | (at(lines[1]) & kMask) << kStep |
                         (at(lines[2]) & kMask) << 2 * kStep | (at(lines[3]) & kMask) << 3 * kStep |
                         (at(lines[4]) & kMask) << 4 * kStep;
        patch.words[1] = (at(lines[5]) & kMask) | (at(lines[6]) & kMask) << kStep |
                         (at(lines[7]) & kMask) << 2 * kStep | (at(beyond) & kMask) << 3 * kStep;
    }
    template <class At>
    void ClearWith(const PatchLines& taken, const At& at)
    {
        const std::uint64_t first = taken.words[0];
        const std::uint64_t second = taken.words[1];
        lines[1] &= ~at((first >> kStep) & kMask);
        lines[2] &= ~at((first >> 2 * kStep) & kMask);
        lines[3] &= ~at((first >> 3 * kStep) & kMask);
        lines[4] &= ~at((first >> 4 * kStep) & kMask);
        lines[5] &= ~at(second & kMask);
        lines[6] &= ~at((second >> kStep) & kMask);
        lines[7] &= ~at((second >> 2 * kStep) & kMask);
    }
};

#pragma once

#include <array>
#include <cstdint>

// Nine scan lines around a cursor, 12 positions of each, in two words so
// that a patch travels in registers: lines 0–4 are bits 12 j .. 12 j + 11 of
// the first word, lines 5–8 bits 12 (j - 5) .. of the second. A step across
// lines is a shift by 12. Bit k of line j stands for position cursorPos - 2 + k
// on scan line cursorLine - 2 + j.
struct PatchLines {
    static constexpr int kLines = 9;
    static constexpr int kLineBits = 12;
    static constexpr int kLinesInFirst = 5;
    static constexpr int kCursorLine = 2;
    static constexpr int kCursorBit = 2;
    static constexpr std::uint32_t kLineMask = (1u << kLineBits) - 1;

    std::array<std::uint64_t, 2> words{};

    // `bits` repeated on each of the first `lines` lines of a word.
    static constexpr std::uint64_t EveryLine(std::uint64_t bits, int lines)
    {
        std::uint64_t word = 0;
        for (int j = 0; j < lines; ++j)
            word |= bits << (kLineBits * j);
        return word;
    }
    static constexpr int Word(int j) { return j < kLinesInFirst ? 0 : 1; }
    static constexpr int Shift(int j) { return kLineBits * (j < kLinesInFirst ? j : j - kLinesInFirst); }

    std::uint32_t Line(int j) const
    {
        return static_cast<std::uint32_t>(words[static_cast<std::size_t>(Word(j))] >> Shift(j)) & kLineMask;
    }
    void Set(int j, std::uint32_t bits)
    {
        words[static_cast<std::size_t>(Word(j))] |= std::uint64_t{bits & kLineMask} << Shift(j);
    }
    bool Test(int j, int k) const { return (Line(j) >> k) & 1u; }
    void Clear(int j, int k) { words[static_cast<std::size_t>(Word(j))] &= ~(std::uint64_t{1} << (Shift(j) + k)); }
    bool Any() const { return (words[0] | words[1]) != 0; }
};

#pragma once

#include <cstdint>
#include <vector>

struct SearchState;

// A component's free cells laid out along its scan: a line runs across the
// scan direction (a row when the cursor runs along x, a column otherwise) and
// a position runs along a line. Each line is a few 64-bit words.
class ScanBox {
public:
    ScanBox(const SearchState& component, bool rowScan);

    bool RowScan() const { return rowScan_; }
    int Lines() const { return lines_; }
    int LineLength() const { return lineLength_; }
    int Words() const { return words_; }

    int LineOf(int x, int y) const { return rowScan_ ? y : x; }
    int PosOf(int x, int y) const { return rowScan_ ? x : y; }

    // The component's own bits of a line; an all-clear line outside the box.
    const std::uint64_t* OriginalLine(int line) const
    {
        if (line < 0 || line >= lines_)
            return bits_.data() + static_cast<std::size_t>(lines_) * words_;
        return bits_.data() + static_cast<std::size_t>(line) * words_;
    }

private:
    bool rowScan_;
    int lines_;
    int lineLength_;
    int words_;
    std::vector<std::uint64_t> bits_;  // lines_ + 1 lines, the last all clear
};

namespace scan_bits {

// Clears the positions start + k for the set bits k of `bits`; `start` may
// be negative, when the bits below position 0 are clear.
inline void ClearSpan(std::uint64_t* line, int words, int start, std::uint64_t bits)
{
    if (start < 0) {
        line[0] &= ~(bits >> -start);
        return;
    }
    const int word = start >> 6;
    const int offset = start & 63;
    line[word] &= ~(bits << offset);
    if (offset != 0 && word + 1 < words)
        line[word + 1] &= ~(bits >> (64 - offset));
}
// Positions start .. start + 63 of a line as one word; positions outside the
// line read as clear. `start` may be as low as -63.
inline std::uint64_t Span(const std::uint64_t* line, int words, int start)
{
    if (start < 0)
        return line[0] << -start;
    const int word = start >> 6;
    const int offset = start & 63;
    if (word >= words)
        return 0;
    std::uint64_t bits = line[word] >> offset;
    if (offset != 0 && word + 1 < words)
        bits |= line[word + 1] << (64 - offset);
    return bits;
}
// The first set position at or after `from` and before `length`, or -1.
int NextSet(const std::uint64_t* line, int from, int length);

}  // namespace scan_bits

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

inline bool Test(const std::uint64_t* line, int pos)
{
    return (line[pos >> 6] >> (pos & 63)) & 1u;
}
inline void Clear(std::uint64_t* line, int pos)
{
    line[pos >> 6] &= ~(std::uint64_t{1} << (pos & 63));
}
// Clears `length` (at most 63) positions from `pos` on.
inline void ClearRun(std::uint64_t* line, int pos, int length)
{
    const std::uint64_t run = (std::uint64_t{1} << length) - 1;
    const int word = pos >> 6;
    const int offset = pos & 63;
    line[word] &= ~(run << offset);
    if (offset + length > 64)
        line[word + 1] &= ~(run >> (64 - offset));
}
// Positions pos - 1, pos and pos + 1 of a line of `words` words as bits 0, 1
// and 2; positions outside the line read as clear.
inline unsigned Three(const std::uint64_t* line, int words, int pos)
{
    if (pos == 0)
        return static_cast<unsigned>(line[0] << 1) & 6u;
    const int first = pos - 1;
    const int word = first >> 6;
    const int offset = first & 63;
    std::uint64_t bits = line[word] >> offset;
    if (offset > 61 && word + 1 < words)
        bits |= line[word + 1] << (64 - offset);
    return static_cast<unsigned>(bits) & 7u;
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

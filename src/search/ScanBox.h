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
// The first set position at or after `from` and before `length`, or -1.
int NextSet(const std::uint64_t* line, int from, int length);

}  // namespace scan_bits

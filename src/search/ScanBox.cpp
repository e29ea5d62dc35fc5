#include "search/ScanBox.h"

#include "search/SearchState.h"

#include <bit>

ScanBox::ScanBox(const SearchState& component, bool rowScan)
    : rowScan_(rowScan),
      lines_(rowScan ? component.height : component.width),
      lineLength_(rowScan ? component.width : component.height),
      words_((lineLength_ + 63) / 64),
      bits_(static_cast<std::size_t>(lines_ + 1) * words_, 0)
{
    for (int x = 0; x < component.width; ++x) {
        for (int y = 0; y < component.height; ++y) {
            if (!component.IsFree(x, y))
                continue;
            const int pos = PosOf(x, y);
            bits_[static_cast<std::size_t>(LineOf(x, y)) * words_ + (pos >> 6)] |= std::uint64_t{1} << (pos & 63);
        }
    }
}

namespace scan_bits {

int NextSet(const std::uint64_t* line, int from, int length)
{
    if (from >= length)
        return -1;
    int word = from >> 6;
    std::uint64_t bits = line[word] & (~std::uint64_t{0} << (from & 63));
    const int words = (length + 63) >> 6;
    while (bits == 0) {
        if (++word >= words)
            return -1;
        bits = line[word];
    }
    const int pos = (word << 6) + std::countr_zero(bits);
    return pos < length ? pos : -1;
}

}  // namespace scan_bits

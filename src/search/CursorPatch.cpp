#include "search/CursorPatch.h"

#include "search/DeadCell.h"

#include <array>

namespace {

// Whether the centre of a 3 × 3 neighbourhood (bit (dy + 1) * 3 + (dx + 1))
// is dead, for all 512 neighbourhoods: the same test as IsDeadCell, looked up.
const std::array<bool, 512> kDeadCentre = [] {
    std::array<bool, 512> table{};
    for (unsigned mask = 0; mask < 512; ++mask) {
        table[mask] = IsDeadCell(0, 0, [mask](int dx, int dy) {
            return ((mask >> ((dy + 1) * 3 + (dx + 1))) & 1u) != 0;
        });
    }
    return table;
}();

}  // namespace

CursorPatch::Placed CursorPatch::GiveUpOneByOne(const ScanShape& shape, const PatchLines& left, const PatchLines& dead)
{
    Placed out{left, shape.cells, 0};
    PatchLines gaveUp;
    for (int i = 0; i < shape.aroundCount; ++i) {
        const int j = shape.aroundLine[static_cast<std::size_t>(i)];
        const int k = shape.aroundBit[static_cast<std::size_t>(i)];
        if (!out.free.Test(j, k))
            continue;
        if (!dead.Test(j, k)) {
            if ((((gaveUp.Line(j - 1) | gaveUp.Line(j) | gaveUp.Line(j + 1)) >> (k - 1)) & 7u) == 0)
                continue;
            const unsigned neighbourhood = ((out.free.Line(j - 1) >> (k - 1)) & 7u) |
                                           (((out.free.Line(j) >> (k - 1)) & 7u) << 3) |
                                           (((out.free.Line(j + 1) >> (k - 1)) & 7u) << 6);
            if (!kDeadCentre[neighbourhood])
                continue;
        }
        out.free.Clear(j, k);
        gaveUp.Set(j, std::uint32_t{1} << k);
        ++out.givenUp;
    }
    out.taken.words[0] |= gaveUp.words[0];
    out.taken.words[1] |= gaveUp.words[1];
    return out;
}

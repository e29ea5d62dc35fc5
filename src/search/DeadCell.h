#pragma once

// A free cell is dead when none of the four 2 × 2 squares holding it has its
// other three cells free: no shape can ever cover it. `isFree(x, y)` must
// answer false outside the box.
template <class IsFree>
bool IsDeadCell(int x, int y, const IsFree& isFree)
{
    // The eight neighbours in a cycle; square k is neighbours 2k, 2k+1, 2k+2.
    static constexpr int kDx[9] = {0, -1, -1, -1, 0, 1, 1, 1, 0};
    static constexpr int kDy[9] = {1, 1, 0, -1, -1, -1, 0, 1, 1};
    bool free[9];
    for (int i = 0; i < 8; ++i)
        free[i] = isFree(x + kDx[i], y + kDy[i]);
    free[8] = free[0];
    for (int k = 0; k < 4; ++k) {
        if (free[2 * k] && free[2 * k + 1] && free[2 * k + 2])
            return false;
    }
    return true;
}

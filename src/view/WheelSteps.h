#pragma once

// Turns wheel angle deltas into whole zoom steps: one notch (120 eighths of a
// degree) is one step, and the small deltas of touchpads and high-resolution
// wheels add up until they make one. Turning back drops what was left over.
class WheelSteps {
public:
    static constexpr int kNotch = 120;

    // The whole steps this delta completes; positive away from the user.
    int Add(int angleDelta);
    void Reset() { rest_ = 0; }

private:
    int rest_ = 0;
};

#include "view/WheelSteps.h"

#include <algorithm>

int WheelSteps::Add(int angleDelta)
{
    if ((angleDelta > 0 && rest_ < 0) || (angleDelta < 0 && rest_ > 0))
        rest_ = 0;
    // A hostile or broken device may send huge values; a few steps are plenty.
    const long long sum = static_cast<long long>(rest_) + std::clamp(angleDelta, -100 * kNotch, 100 * kNotch);
    const int steps = static_cast<int>(sum / kNotch);
    rest_ = static_cast<int>(sum % kNotch);
    return steps;
}

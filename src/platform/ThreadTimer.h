#pragma once

#include <functional>

namespace platform {

// A periodic timer of the user-interface thread. The windows supply one built
// on their event loop; the model only starts and kills it.
class ThreadTimer {
public:
    virtual ~ThreadTimer() = default;
    virtual void Start(int periodMs, std::function<void()> onTick) = 0;
    virtual void Kill() = 0;
};

}  // namespace platform

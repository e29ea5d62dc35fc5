#include "search/SearchControl.h"

#include <loki/Singleton.h>

namespace {
using SearchControlHolder =
    Loki::SingletonHolder<SearchControl, Loki::CreateUsingNew, Loki::DefaultLifetime, Loki::SingleThreaded>;
}

SearchControl& SearchControl::Instance()
{
    return SearchControlHolder::Instance();
}

void SearchControl::ResetForRun()
{
    cancel = false;
    stop = false;
    outOfMemory = false;
    componentsDone = 0;
    componentsTotal = 0;
    statesKept = 0;
    peakStates = 0;
    expansions = 0;
    optimising = false;
    optimisedUncovered = -1;
    optimisedBound = -1;
}

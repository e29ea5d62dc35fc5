#include "msg/SearchFinishedHandOver.h"

#include "msg/DelayedCallQueue.h"
#include "msg/MsgCenter.h"

namespace {

void DeliverSearchFinished(DelayedCallQueue& queue, void* payload)
{
    if (const auto set = queue.Center().FindHandlerSet(MsgCenter::TypeName<BuildSearchFinished_Msg>()))
        set->DeliverUntyped(payload);
}

void NoCleanup(DelayedCallQueue&, void*) {}

}  // namespace

void PostBuildSearchFinished(MsgCenter& center)
{
    DelayedCallQueue& queue = center.Queue();
    queue.Post(&DeliverSearchFinished, &NoCleanup, queue.AllocPayload(1), 0);
}

#include "msg/HandlerSet.h"

#include "msg/Messages.h"

#include <vector>

namespace msg_center_detail {

bool HandlerSet::Insert(const MsgReceiver& receiver)
{
    return receivers_.insert(receiver).second;
}

std::size_t HandlerSet::Erase(const MsgReceiver& receiver)
{
    return receivers_.erase(receiver);
}

void HandlerSet::Deliver(const void* message) const
{
    const std::vector<MsgReceiver> snapshot(receivers_.begin(), receivers_.end());
    for (const MsgReceiver& receiver : snapshot) {
        if (receivers_.count(receiver) != 0)
            receiver.Call(message);
    }
}

void HandlerSet::DeliverUntyped(const void*) const {}

void TypedHandlerSet<BuildSearchFinished_Msg>::DeliverUntyped(const void*) const
{
    const BuildSearchFinished_Msg message;
    Deliver(&message);
}

}  // namespace msg_center_detail

#include "msg/SpanProcessReceiver.h"

#include "msg/Messages.h"
#include "msg/MsgCenter.h"

namespace msg_center_detail {

SpanProcessReceiver::SpanProcessReceiver(MsgCenter& center) : center_(center)
{
    center_.Register(this, &SpanProcessReceiver::OnSpanProcess);
}

SpanProcessReceiver::~SpanProcessReceiver()
{
    center_.Unregister(this, &SpanProcessReceiver::OnSpanProcess);
}

void SpanProcessReceiver::OnSpanProcess(const SpanProcessMsg_Recv* message)
{
    if (const auto set = center_.FindHandlerSet(message->targetName))
        set->DeliverUntyped(message->body.data());
}

}  // namespace msg_center_detail

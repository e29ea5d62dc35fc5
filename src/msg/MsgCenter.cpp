#include "msg/MsgCenter.h"

#include "msg/DelayedCallQueue.h"
#include "msg/SpanProcessReceiver.h"

#include <loki/Singleton.h>

namespace {
using MsgCenterHolder =
    Loki::SingletonHolder<MsgCenter, Loki::CreateUsingNew, Loki::DefaultLifetime, Loki::SingleThreaded>;
}

MsgCenter::MsgCenter()
{
    queue_ = std::make_unique<DelayedCallQueue>(*this);
    spanReceiver_ = std::make_unique<msg_center_detail::SpanProcessReceiver>(*this);
}

MsgCenter::~MsgCenter()
{
    queue_.reset();
    spanReceiver_.reset();
    table_.clear();
}

MsgCenter& MsgCenter::Instance()
{
    return MsgCenterHolder::Instance();
}

MsgCenter::HandlerSetPtr MsgCenter::FindHandlerSet(std::string_view typeName) const
{
    const auto it = table_.find(typeName);
    return it == table_.end() ? nullptr : it->second;
}

void MsgCenter::EnterHandlerSet(std::string_view typeName, HandlerSetPtr set)
{
    table_.insert_or_assign(std::string(typeName), std::move(set));
}

void MsgCenter::RemoveHandlerSet(std::string_view typeName)
{
    const auto it = table_.find(typeName);
    if (it != table_.end())
        table_.erase(it);
}

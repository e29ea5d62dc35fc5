#pragma once

#include "msg/HandlerSet.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>

class DelayedCallQueue;

namespace msg_center_detail {
class SpanProcessReceiver;
}

// The process-wide message center. Handlers are registered per message type;
// Send delivers synchronously, on the caller's thread, to every receiver of
// the type in receiver order. Register, Unregister and Send belong to the UI
// thread; only the delayed-call queue may be posted to from other threads.
class MsgCenter {
public:
    using HandlerSetPtr = std::shared_ptr<msg_center_detail::HandlerSet>;

    MsgCenter();
    virtual ~MsgCenter();
    MsgCenter(const MsgCenter&) = delete;
    MsgCenter& operator=(const MsgCenter&) = delete;

    // The one center of the process. After it was destroyed at exit, the next
    // call throws std::logic_error("Dead Reference Detected") and the call
    // after that creates a fresh center.
    static MsgCenter& Instance();

    // The key of a message type: one stable, distinct name per type.
    template <class M>
    static std::string_view TypeName()
    {
        return typeid(M).name();
    }

    template <class T, class M, class Object>
    void Register(Object* object, void (T::*method)(const M*))
    {
        const auto receiver = msg_center_detail::MsgReceiver::Bind(static_cast<T*>(object), method);
        HandlerSetPtr set = FindHandlerSet(TypeName<M>());
        if (!set) {
            set = std::make_shared<msg_center_detail::TypedHandlerSet<M>>();
            EnterHandlerSet(TypeName<M>(), set);
        }
        set->Insert(receiver);
    }

    template <class T, class M, class Object>
    void Unregister(Object* object, void (T::*method)(const M*))
    {
        const HandlerSetPtr set = FindHandlerSet(TypeName<M>());
        if (!set)
            return;
        set->Erase(msg_center_detail::MsgReceiver::Bind(static_cast<T*>(object), method));
        if (set->IsEmpty())
            RemoveHandlerSet(TypeName<M>());
    }

    template <class M>
    void Send(const M& message)
    {
        // Holding the set keeps it alive if its last receiver leaves mid-delivery.
        if (const HandlerSetPtr set = FindHandlerSet(TypeName<M>()))
            set->Deliver(&message);
    }

    virtual HandlerSetPtr FindHandlerSet(std::string_view typeName) const;
    std::size_t HandlerSetCount() const { return table_.size(); }

    DelayedCallQueue& Queue() { return *queue_; }

protected:
    virtual void EnterHandlerSet(std::string_view typeName, HandlerSetPtr set);
    virtual void RemoveHandlerSet(std::string_view typeName);

private:
    std::map<std::string, HandlerSetPtr, std::less<>> table_;
    std::unique_ptr<DelayedCallQueue> queue_;
    std::unique_ptr<msg_center_detail::SpanProcessReceiver> spanReceiver_;
};

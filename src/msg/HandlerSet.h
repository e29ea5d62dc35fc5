#pragma once

#include "msg/MsgReceiver.h"

#include <cstddef>
#include <set>

struct BuildSearchFinished_Msg;

namespace msg_center_detail {

// The receivers of one message type, in receiver order, without duplicates.
class HandlerSet {
public:
    virtual ~HandlerSet() = default;

    // False when an equal receiver was already there (it stays).
    bool Insert(const MsgReceiver& receiver);
    std::size_t Erase(const MsgReceiver& receiver);

    // Walks a snapshot of the set: a receiver removed by an earlier handler of
    // this delivery is skipped, one added during it waits for the next send.
    // An exception from a handler ends the delivery and reaches the caller.
    void Deliver(const void* message) const;

    // Delivers a message given only as an untyped body. Only message types
    // that can be rebuilt safely from such a body accept one.
    virtual void DeliverUntyped(const void* payload) const;

    bool IsEmpty() const { return receivers_.empty(); }
    std::size_t Size() const { return receivers_.size(); }

private:
    std::set<MsgReceiver> receivers_;
};

template <class M>
class TypedHandlerSet final : public HandlerSet {};

// The search worker's end reaches the UI thread as an untyped delivery; the
// message has no fields, so a fresh record is exactly what was sent.
template <>
class TypedHandlerSet<BuildSearchFinished_Msg> final : public HandlerSet {
public:
    void DeliverUntyped(const void* payload) const override;
};

}  // namespace msg_center_detail

#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <cstring>

namespace msg_center_detail {

// One registration: an object and one of its handler methods. Receivers order
// by the object's address, then by the bytes of the bound method; the invoker
// plays no part in the order.
class MsgReceiver {
public:
    // Member-function pointers are at most two pointers wide on the ABIs we
    // build for; the spare words stay zero so comparisons are well defined.
    using MethodBytes = std::array<std::uint32_t, 8>;
    using Invoker = void (*)(void* object, const MethodBytes& method, const void* message);

    template <class T, class M>
    static MsgReceiver Bind(T* object, void (T::*method)(const M*))
    {
        using Method = void (T::*)(const M*);
        static_assert(sizeof(Method) <= sizeof(MethodBytes), "member-function pointer too wide");
        MsgReceiver r;
        r.object_ = object;
        std::memcpy(r.method_.data(), &method, sizeof(Method));
        r.invoker_ = &Invoke<T, M>;
        return r;
    }

    void Call(const void* message) const { invoker_(object_, method_, message); }

    friend bool operator==(const MsgReceiver& a, const MsgReceiver& b)
    {
        return a.object_ == b.object_ && a.method_ == b.method_;
    }
    friend bool operator<(const MsgReceiver& a, const MsgReceiver& b)
    {
        const auto ao = reinterpret_cast<std::uintptr_t>(a.object_);
        const auto bo = reinterpret_cast<std::uintptr_t>(b.object_);
        if (ao != bo)
            return ao < bo;
        return a.method_ < b.method_;
    }

private:
    template <class T, class M>
    static void Invoke(void* object, const MethodBytes& bytes, const void* message)
    {
        void (T::*method)(const M*);
        std::memcpy(&method, bytes.data(), sizeof method);
        (static_cast<T*>(object)->*method)(static_cast<const M*>(message));
    }

    void* object_ = nullptr;
    MethodBytes method_{};
    Invoker invoker_ = nullptr;
};

}  // namespace msg_center_detail

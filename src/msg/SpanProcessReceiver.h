#pragma once

struct SpanProcessMsg_Recv;
class MsgCenter;

namespace msg_center_detail {

// The center's own receiver for messages given by type name and body.
class SpanProcessReceiver {
public:
    explicit SpanProcessReceiver(MsgCenter& center);
    ~SpanProcessReceiver();
    SpanProcessReceiver(const SpanProcessReceiver&) = delete;
    SpanProcessReceiver& operator=(const SpanProcessReceiver&) = delete;

private:
    void OnSpanProcess(const SpanProcessMsg_Recv* message);

    MsgCenter& center_;
};

}  // namespace msg_center_detail

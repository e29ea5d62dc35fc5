#pragma once

class MsgCenter;

// Called by the search worker as its last act: queues the delivery of
// BuildSearchFinished_Msg, which the UI thread makes on its next 200 ms tick.
// Safe to call from any thread once the center exists.
void PostBuildSearchFinished(MsgCenter& center);

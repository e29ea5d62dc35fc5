#pragma once

#include "scene/Build.h"

#include <vector>

class MsgCenter;
struct AddRoadPoints_Msg;
struct LayoutPlaced_Msg;

// What an edit brought about beyond its own record while it ran: the
// buildings a layout placed and whether road cells were laid for a new
// building. A recording needs both to replay the edit as it happened.
class EditEffects {
public:
    explicit EditEffects(MsgCenter& center);
    ~EditEffects();
    EditEffects(const EditEffects&) = delete;
    EditEffects& operator=(const EditEffects&) = delete;

    std::vector<Build> TakePlaced() { return std::move(placed_); }
    bool RoadsAdded() const { return roadsAdded_; }

private:
    void OnLayoutPlaced(const LayoutPlaced_Msg* msg);
    void OnAddRoadPoints(const AddRoadPoints_Msg* msg);

    MsgCenter& center_;
    std::vector<Build> placed_;
    bool roadsAdded_ = false;
};

#pragma once

class MsgCenter;
struct BuildBringRoad_Msg;

// Answers the road points planned for a new building as the planner's main
// window does when its road setting is "Make": they are laid as road at once.
// With "Notice" or "Ignore" nothing is laid (there is no map view to flash).
class CliRoadResponder {
public:
    CliRoadResponder(MsgCenter& center, bool makeRoads);
    ~CliRoadResponder();
    CliRoadResponder(const CliRoadResponder&) = delete;
    CliRoadResponder& operator=(const CliRoadResponder&) = delete;

private:
    void OnRoads(const BuildBringRoad_Msg* msg);

    MsgCenter& center_;
    bool makeRoads_;
};

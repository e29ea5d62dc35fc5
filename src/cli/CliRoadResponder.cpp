#include "cli/CliRoadResponder.h"

#include "msg/Messages.h"
#include "msg/MsgCenter.h"

CliRoadResponder::CliRoadResponder(MsgCenter& center, bool makeRoads) : center_(center), makeRoads_(makeRoads)
{
    center_.Register(this, &CliRoadResponder::OnRoads);
}

CliRoadResponder::~CliRoadResponder()
{
    center_.Unregister(this, &CliRoadResponder::OnRoads);
}

void CliRoadResponder::OnRoads(const BuildBringRoad_Msg* msg)
{
    if (makeRoads_ && !msg->roads.empty())
        center_.Send(AddRoadPoints_Msg{msg->roads});
}

#include "cmd/EditEffects.h"

#include "msg/Messages.h"
#include "msg/MsgCenter.h"

#include <string>

EditEffects::EditEffects(MsgCenter& center) : center_(center)
{
    center_.Register(this, &EditEffects::OnLayoutPlaced);
    center_.Register(this, &EditEffects::OnAddRoadPoints);
}

EditEffects::~EditEffects()
{
    center_.Unregister(this, &EditEffects::OnLayoutPlaced);
    center_.Unregister(this, &EditEffects::OnAddRoadPoints);
}

void EditEffects::OnLayoutPlaced(const LayoutPlaced_Msg* msg)
{
    for (const auto& b : msg->builds)
        placed_.push_back(Build{b.x, b.y, b.w, b.h, std::string(), DefaultColour});
}

void EditEffects::OnAddRoadPoints(const AddRoadPoints_Msg* msg)
{
    roadsAdded_ = roadsAdded_ || !msg->roads.empty();
}

#pragma once

#include "scene/SceneTypes.h"

struct SearchState;

// What the Scene needs of the search driver: start a run on the selected
// region and return at once. The run leaves its buildings in the working
// region's `placed` and announces its end with BuildSearchFinished_Msg
// (through the delayed-call queue), which ends the progress dialog.
class LayoutRunner {
public:
    virtual ~LayoutRunner() = default;
    virtual void Start(const RegionBits& selection, SearchState& working) = 0;
};

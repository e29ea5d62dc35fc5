#pragma once

#include "msg/MsgTypes.h"

// The row colours shared by the owner-drawn lists (colour names, building
// categories, the recorder's commands) when a row is not selected.
namespace list_rows {

// Even rows of the colour lists; commands still in effect in the recorder.
inline constexpr ColorRef kWarmText = MakeColorRef(128, 15, 12);
inline constexpr ColorRef kWarmBackground = MakeColorRef(227, 241, 238);
// Odd rows of the colour lists.
inline constexpr ColorRef kBlueText = MakeColorRef(0, 128, 255);
// Odd colour rows; the latest and the undone commands of the recorder.
inline constexpr ColorRef kGreyBackground = MakeColorRef(227, 227, 227);
// The latest command in effect.
inline constexpr ColorRef kLatestText = MakeColorRef(255, 0, 0);

}  // namespace list_rows

#include "scene/SceneSnapshot.h"

#include "scene/Scene.h"

#include <algorithm>

SceneSnapshot::SceneSnapshot(const Scene& scene)
    : cells_(scene.Cells().begin(), scene.Cells().end()), builds_(scene.Builds()), marks_(scene.Marks())
{
}

void SceneSnapshot::RestoreTo(Scene& scene) const
{
    for (std::int32_t x = 0; x < GridSize; ++x) {
        for (std::int32_t y = 0; y < GridSize; ++y)
            scene.LoadCell(x, y, cells_[static_cast<std::size_t>(x) * GridSize + static_cast<std::size_t>(y)]);
    }
    scene.ClearBuildList();
    for (const Build& build : builds_)
        scene.AppendLoadedBuild(build);
    scene.ClearMarks();
    for (const Mark& mark : marks_)
        scene.InsertMark(mark);
}

bool SceneSnapshot::Matches(const Scene& scene) const
{
    return std::equal(cells_.begin(), cells_.end(), scene.Cells().begin(), scene.Cells().end())
           && builds_ == scene.Builds() && marks_ == scene.Marks();
}

std::size_t SceneSnapshot::Bytes() const
{
    std::size_t bytes = sizeof(*this) + cells_.size() * sizeof(std::int32_t) + marks_.size() * sizeof(Mark);
    for (const Build& build : builds_)
        bytes += sizeof(Build) + build.name.capacity();
    return bytes;
}

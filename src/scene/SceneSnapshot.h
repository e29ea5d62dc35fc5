#pragma once

#include "scene/Build.h"
#include "scene/Mark.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class Scene;

// The whole content of a map at one moment: cells, buildings and rulers.
// Undo keeps these, and the map in hand is compared with the one last saved.
class SceneSnapshot {
public:
    SceneSnapshot() = default;
    explicit SceneSnapshot(const Scene& scene);

    // Puts the content back; the caller redraws.
    void RestoreTo(Scene& scene) const;
    bool Matches(const Scene& scene) const;
    // Roughly what the snapshot holds in memory.
    std::size_t Bytes() const;

private:
    std::vector<std::int32_t> cells_;
    std::vector<Build> builds_;
    std::vector<Mark> marks_;
};

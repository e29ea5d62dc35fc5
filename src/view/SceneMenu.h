#pragma once

#include "platform/UiText.h"

#include <vector>

class MsgCenter;
class SceneSelection;

// One line of the map view's context menu.
struct SceneMenuItem {
    int id = 0;
    UiText text;
    bool enabled = true;
    bool separator = false;

    friend bool operator==(const SceneMenuItem&, const SceneMenuItem&) = default;
};

// What the map view's context menu offers for the current selection, and
// what each of its commands does. The window only shows the items.
class SceneMenu {
public:
    static constexpr int kTitle = 0;
    static constexpr int kDeleteBuildings = 1040;
    static constexpr int kLight = 1041;
    static constexpr int kErase = 1042;
    static constexpr int kRename = 1043;
    static constexpr int kLayOut = 1044;
    static constexpr int kDeleteRulers = 1045;
    static constexpr int kRecolour = 1046;

    SceneMenu(MsgCenter& center, const SceneSelection& selection) : center_(center), selection_(selection) {}

    // The disabled title and a separator first, then the commands that apply.
    std::vector<SceneMenuItem> Items() const;
    // Unknown ids do nothing.
    void Run(int id) const;

private:
    void Rename() const;
    void Recolour() const;

    MsgCenter& center_;
    const SceneSelection& selection_;
};

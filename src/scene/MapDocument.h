#pragma once

#include "scene/SceneSnapshot.h"

#include <filesystem>
#include <string>

class Scene;
struct MapFileEvent_Msg;

// Which file the map in hand belongs to and whether it holds changes that no
// file of the user's has: the map is compared with what was last loaded or
// saved by the user. Only a user's own file that was read without problems is
// saved silently on close; every other map with changes makes the close ask.
class MapDocument {
public:
    enum class Origin { None, UserFile, DemoMap, RecorderMap };
    enum class OnClose { Close, SaveSilently, Ask };

    // A map without a file; the scene as it is counts as saved.
    explicit MapDocument(const Scene& scene);

    // Follows a load or save of the map.
    void Take(const MapFileEvent_Msg& event);

    const std::filesystem::path& File() const { return file_; }
    Origin From() const { return origin_; }
    bool Damaged() const { return damaged_; }
    bool Modified() const;
    bool SavesSilently() const { return origin_ == Origin::UserFile && !damaged_; }
    OnClose WhenClosing() const;

    // The window title (UTF-8): the program, the file in brackets, and " *"
    // while there are unsaved changes.
    std::string Title() const;

private:
    const Scene& scene_;
    std::filesystem::path file_;
    Origin origin_ = Origin::None;
    bool damaged_ = false;
    SceneSnapshot saved_;
};

#pragma once

#include <filesystem>

class MsgCenter;
class Scene;
struct LoadDomoMap_Msg;

// Answers the text command "load": the named map is read from `baseFolder`,
// or, when it cannot be read there, from the "map" folder of the program.
// Remembers a load that found no map, so the command can fail at its end.
class CliDemoMapLoader {
public:
    CliDemoMapLoader(MsgCenter& center, Scene& scene, std::filesystem::path baseFolder);
    ~CliDemoMapLoader();
    CliDemoMapLoader(const CliDemoMapLoader&) = delete;
    CliDemoMapLoader& operator=(const CliDemoMapLoader&) = delete;

    // Writes the scene as the lines left it; kFailed also when a load found no map.
    int SaveScene(const std::filesystem::path& out) const;

private:
    void OnLoad(const LoadDomoMap_Msg* msg);

    MsgCenter& center_;
    Scene& scene_;
    std::filesystem::path baseFolder_;
    bool missedMap_ = false;
};

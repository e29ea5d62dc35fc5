#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>

class MsgCenter;
class Scene;
struct LoadMapFile_Msg;
struct SaveMapFile_Msg;

// Loads and saves the map when the main window asks (a file named on the
// command line, a dropped file, saving on close). A file that exists but was
// refused as a map is never saved over, so a wrong file given by mistake is
// not replaced by an empty map.
class MapFileRequests {
public:
    // Shows the reader's messages (GB18030) in a "Load Failed" box.
    using ReportLoadProblem = std::function<void(const std::string& errors)>;
    // Shows the loaded file in the window title.
    using ShowFile = std::function<void(const std::filesystem::path& file)>;

    MapFileRequests(MsgCenter& center, Scene& scene, ReportLoadProblem report, ShowFile show);
    ~MapFileRequests();
    MapFileRequests(const MapFileRequests&) = delete;
    MapFileRequests& operator=(const MapFileRequests&) = delete;

    // The reader's result: false when the file could not be opened or was refused.
    bool Load(const std::filesystem::path& file);
    // False when the file could not be written or was refused as a map before.
    bool Save(const std::filesystem::path& file);

private:
    void OnLoad(const LoadMapFile_Msg* msg);
    void OnSave(const SaveMapFile_Msg* msg);

    MsgCenter& center_;
    Scene& scene_;
    ReportLoadProblem report_;
    ShowFile show_;
    std::set<std::filesystem::path> refused_;
};

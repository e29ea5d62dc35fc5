#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Where the program finds its data and keeps its files. Run from its build
// folder (or any folder it may write to, without a shared data folder beside
// its bin folder) everything lives there, as it always has. Installed, the
// samples are read from the shared data folder (<prefix>/share/quarrinlayvane),
// and installed or not writable, what the program writes goes to the user's folders: the settings to the configuration folder, "temp/",
// "demo/auto/" and the user's own maps and demonstrations to the data folder.
struct AppFolders {
    static constexpr const char* kName = "quarrinlayvane";

    std::filesystem::path dataFolder;    // "demo/" and "map/" that came with the program
    std::filesystem::path workFolder;    // "temp/", "demo/auto/", the user's "demo/" and "map/"
    std::filesystem::path settingsFile;  // ql.cfg

    bool Installed() const { return dataFolder != workFolder; }
    // The folders demonstrations are looked for in: the work folder's last, so its scripts come after the samples.
    std::vector<std::filesystem::path> DemoFolders() const;

    // The environment the folders depend on; tests give their own.
    struct Environment {
        std::function<std::optional<std::string>(const char* name)> variable;
        std::function<bool(const std::filesystem::path& folder)> writable;
    };
    static Environment SystemEnvironment();

    static AppFolders Find();
    static AppFolders Find(const std::filesystem::path& programFolder, const Environment& environment);
    // Creates the folders the program writes to (never the shared data folder).
    static bool MakeWritableFolders(const AppFolders& folders);
};

}  // namespace platform

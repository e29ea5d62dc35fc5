#pragma once

#include "demo/DemoScript.h"

#include <filesystem>
#include <set>
#include <vector>

// The demonstration scripts found below the "demo" folder, and the one the
// tools panel chose for the player.
class DemoCatalogue {
public:
    static constexpr const char* kFolderName = "demo";
    static constexpr const char* kExtension = ".qld";

    std::vector<DemoScript> entries;
    // 1-based into `entries`; 0 means none. Not reset when a rescan finds
    // nothing, so always look it up through Selected().
    int selected = 0;

    // Scans the program's "demo" folders (the samples' and, installed, the user's).
    void Rescan();
    // Scans the given folder and everything below it.
    void Rescan(const std::filesystem::path& demoFolder);
    // Scans each folder in turn; their scripts follow one another.
    void Rescan(const std::vector<std::filesystem::path>& demoFolders);

    // nullptr unless `selected` names an entry.
    const DemoScript* Selected() const;

private:
    void ScanFolder(const std::filesystem::path& folder, int depth,
                    std::set<std::filesystem::path>& visited);
};

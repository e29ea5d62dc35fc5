#pragma once

#include <filesystem>
#include <vector>

class Scene;

// Map loading and saving for the command-line tool, reporting on standard
// error as the planner reports in its message boxes.
namespace cli {

enum ExitStatus { kOk = 0, kFailed = 1, kUsage = 2 };

// kOk when the map was read (reader messages go to standard error as
// "Load Failed: …"), kFailed when it could not be opened or was refused.
int LoadMap(const std::filesystem::path& path, Scene& scene);
// Tries each candidate in turn until one is read; reports as LoadMap does.
int LoadFirstMap(const std::vector<std::filesystem::path>& candidates, Scene& scene);
int SaveMap(const std::filesystem::path& path, const Scene& scene);

}  // namespace cli

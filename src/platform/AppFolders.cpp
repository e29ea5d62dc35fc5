#include "platform/AppFolders.h"

#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSettingsName = "ql.cfg";

// The folder named by an environment variable, when it is set to an absolute path.
std::optional<fs::path> FolderOf(const AppFolders::Environment& environment, const char* name)
{
    const std::optional<std::string> value = environment.variable(name);
    if (!value || value->empty())
        return std::nullopt;
    const fs::path folder(*value);
    if (!folder.is_absolute())
        return std::nullopt;
    return folder;
}

// The user's folders by the usual conventions: XDG on Unix, the roaming
// application data on Windows; the current folder when nothing is known.
fs::path UserFolder(const AppFolders::Environment& environment, const char* xdgName, const char* homeRelative)
{
#ifdef _WIN32
    (void)xdgName;
    (void)homeRelative;
    if (const auto appData = FolderOf(environment, "APPDATA"))
        return *appData / AppFolders::kName;
#else
    if (const auto xdg = FolderOf(environment, xdgName))
        return *xdg / AppFolders::kName;
    if (const auto home = FolderOf(environment, "HOME"))
        return *home / homeRelative / AppFolders::kName;
#endif
    std::error_code ec;
    return fs::current_path(ec) / AppFolders::kName;
}

// Whether a file can be made in the folder, found by making one: permission
// bits alone do not tell (read-only mounts, access lists).
bool CanCreateFileIn(const fs::path& folder)
{
    std::random_device random;
    const fs::path probe = folder / (".ql-write-probe-" + std::to_string(random()));
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out)
            return false;
    }
    std::error_code ec;
    fs::remove(probe, ec);
    return true;
}

}  // namespace

std::vector<fs::path> AppFolders::DemoFolders() const
{
    std::vector<fs::path> folders{dataFolder / "demo"};
    if (Installed())
        folders.push_back(workFolder / "demo");
    return folders;
}

AppFolders::Environment AppFolders::SystemEnvironment()
{
    return {[](const char* name) -> std::optional<std::string> {
                const char* value = std::getenv(name);
                return value ? std::optional<std::string>(value) : std::nullopt;
            },
            &CanCreateFileIn};
}

AppFolders AppFolders::Find()
{
    return Find(ProgramFolder(), SystemEnvironment());
}

AppFolders AppFolders::Find(const fs::path& programFolder, const Environment& environment)
{
    std::error_code ec;
    const fs::path shared = programFolder.parent_path() / "share" / kName;
    const bool samplesBeside = fs::is_directory(programFolder / "demo", ec);
    const bool installed = !samplesBeside && fs::is_directory(shared, ec);
    // A program that was not installed and may write beside itself keeps
    // everything there, as it always has (the build folder, tests).
    if (!installed && environment.writable(programFolder))
        return {programFolder, programFolder, programFolder / kSettingsName};

    AppFolders folders;
    folders.dataFolder = installed ? shared : programFolder;
    folders.workFolder = UserFolder(environment, "XDG_DATA_HOME", ".local/share");
    folders.settingsFile = UserFolder(environment, "XDG_CONFIG_HOME", ".config") / kSettingsName;
    return folders;
}

bool AppFolders::MakeWritableFolders(const AppFolders& folders)
{
    std::error_code settingsError;
    std::error_code workError;
    fs::create_directories(folders.settingsFile.parent_path(), settingsError);
    fs::create_directories(folders.workFolder, workError);
    return !settingsError && !workError;
}

}  // namespace platform

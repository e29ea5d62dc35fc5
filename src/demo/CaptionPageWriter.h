#pragma once

#include "platform/AppFolders.h"

#include <filesystem>
#include <optional>
#include <string>

// Writes a demonstration's caption page. The page always has the same name,
// so a script cannot choose where it writes: beside the script, or, when that
// folder takes no files (a sample installed read-only), in the user's data
// folder at the path the script's folder has below the samples' folder.
class CaptionPageWriter {
public:
    static constexpr const char* kPageFileName = "quarrindemosay.html";

    // The program's folders, found when first needed unless given here.
    void SetFolders(platform::AppFolders folders) { folders_ = std::move(folders); }

    // The file the page went to, or nothing when neither place took it.
    std::optional<std::filesystem::path> Write(const std::filesystem::path& scriptFolder, const std::string& page);

    // Where the page of a script folder goes in the user's data folder;
    // nothing for a script that does not lie below the samples' folder.
    static std::optional<std::filesystem::path> InWorkFolder(const std::filesystem::path& scriptFolder,
                                                             const platform::AppFolders& folders);

private:
    std::optional<platform::AppFolders> folders_;
};

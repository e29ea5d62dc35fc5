#include "demo/CaptionPageWriter.h"

#include "platform/SafeFileWrite.h"

#include <system_error>

namespace fs = std::filesystem;

std::optional<fs::path> CaptionPageWriter::Write(const fs::path& scriptFolder, const std::string& page)
{
    const fs::path beside = scriptFolder / kPageFileName;
    if (platform::WriteFileSafely(beside, page))
        return beside;
    if (!folders_)
        folders_ = platform::AppFolders::Find();
    const std::optional<fs::path> mirrored = InWorkFolder(scriptFolder, *folders_);
    if (!mirrored || *mirrored == beside)
        return std::nullopt;
    std::error_code ec;
    fs::create_directories(mirrored->parent_path(), ec);
    if (ec || !platform::WriteFileSafely(*mirrored, page))
        return std::nullopt;
    return mirrored;
}

std::optional<fs::path> CaptionPageWriter::InWorkFolder(const fs::path& scriptFolder,
                                                        const platform::AppFolders& folders)
{
    if (folders.dataFolder.empty() || folders.workFolder.empty())
        return std::nullopt;
    const fs::path below = scriptFolder.lexically_normal().lexically_relative(folders.dataFolder.lexically_normal());
    if (below.empty() || *below.begin() == "..")
        return std::nullopt;
    return (folders.workFolder / below / kPageFileName).lexically_normal();
}

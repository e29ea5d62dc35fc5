#include "cli/CliMapFiles.h"

#include "platform/TextCodec.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"

#include <iostream>

namespace cli {

int LoadMap(const std::filesystem::path& path, Scene& scene)
{
    return LoadFirstMap({path}, scene);
}

int LoadFirstMap(const std::vector<std::filesystem::path>& candidates, Scene& scene)
{
    std::string errors;
    for (const auto& path : candidates) {
        errors.clear();
        if (MapFileReader::ReadFile(path, errors, scene)) {
            if (!errors.empty())
                std::cerr << "Load Failed: " << platform::Gb18030ToUtf8(errors) << "\n";
            return kOk;
        }
    }
    const std::string last = candidates.empty() ? std::string() : candidates.back().string();
    std::cerr << "Load Failed: " << (errors.empty() ? "cannot open " + last : platform::Gb18030ToUtf8(errors)) << "\n";
    return kFailed;
}

int SaveMap(const std::filesystem::path& path, const Scene& scene)
{
    if (!MapFileWriter::WriteFile(path, scene)) {
        std::cerr << "cannot write " << path.string() << "\n";
        return kFailed;
    }
    return kOk;
}

}  // namespace cli

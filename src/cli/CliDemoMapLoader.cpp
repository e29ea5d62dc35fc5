#include "cli/CliDemoMapLoader.h"

#include "cli/CliMapFiles.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/MapFileRequests.h"
#include "platform/AppFolders.h"
#include "platform/TextCodec.h"

#include <iostream>
#include <optional>

CliDemoMapLoader::CliDemoMapLoader(MsgCenter& center, Scene& scene, std::filesystem::path baseFolder)
    : center_(center), scene_(scene), baseFolder_(std::move(baseFolder))
{
    center_.Register(this, &CliDemoMapLoader::OnLoad);
}

CliDemoMapLoader::~CliDemoMapLoader()
{
    center_.Unregister(this, &CliDemoMapLoader::OnLoad);
}

void CliDemoMapLoader::OnLoad(const LoadDomoMap_Msg* msg)
{
    const std::optional<std::filesystem::path> file = MapFileRequests::DemoMapFileName(msg->mapName);
    if (!file) {
        std::cerr << "load: map names are plain file names: " << platform::Gb18030ToUtf8(msg->mapName) << "\n";
        return;
    }
    const platform::AppFolders folders = platform::AppFolders::Find();
    if (cli::LoadFirstMap({baseFolder_ / *file, folders.workFolder / "map" / *file, folders.dataFolder / "map" / *file},
                          scene_) != cli::kOk)
        missedMap_ = true;
}

int CliDemoMapLoader::SaveScene(const std::filesystem::path& out) const
{
    const int saved = cli::SaveMap(out, scene_);
    return saved == cli::kOk && missedMap_ ? cli::kFailed : saved;
}

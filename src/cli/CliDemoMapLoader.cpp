#include "cli/CliDemoMapLoader.h"

#include "cli/CliMapFiles.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/ProgramFolder.h"
#include "platform/TextCodec.h"

#include <iostream>

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
    // The name is GB18030 text from a script; the file system speaks UTF-8 here.
    const std::filesystem::path file = platform::PathFromUtf8(platform::Gb18030ToUtf8(msg->mapName) + ".qlm");
    if (file.has_root_path() || file.has_parent_path()) {
        std::cerr << "load: map names are plain file names: " << platform::PathToUtf8(file) << "\n";
        return;
    }
    cli::LoadFirstMap({baseFolder_ / file, platform::ProgramFolder() / "map" / file}, scene_);
}

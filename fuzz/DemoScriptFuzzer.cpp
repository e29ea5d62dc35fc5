// Demonstration scripts: read, then played to their end without a caption view.
#include "demo/DemoCatalogue.h"
#include "demo/DemoPlayer.h"
#include "demo/DemoScriptReader.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    auto script = DemoScriptReader::Read(in, "/nonexistent-ql-fuzz-folder");
    if (!script)
        return 0;
    Scene scene(MsgCenter::Instance(), Scene::DemoScan::kNone);
    scene.Demos().entries.assign(1, std::move(*script));
    scene.Demos().selected = 1;
    bool roadMake = false;
    DemoPlayer player(scene.Demos(), roadMake, nullptr);
    player.Load();
    while (player.Loaded() && player.Step() < player.StepCount())
        player.OneStep();
    return 0;
}

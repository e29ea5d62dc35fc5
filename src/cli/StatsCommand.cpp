#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliMapFiles.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "scene/StatisticsText.h"

#include <iostream>

namespace cli {

int Stats(const std::vector<std::string>& args)
{
    CliArguments parsed;
    std::string error;
    if (!parsed.Parse(args, {}, 1, 1, error)) {
        std::cerr << "stats: " << error << "\nusage: quarrinlayvane-cli stats MAP\n";
        return kUsage;
    }
    Scene scene(MsgCenter::Instance(), Scene::DemoScan::kNone);
    if (const int status = LoadMap(parsed.Positional()[0], scene); status != kOk)
        return status;
    std::cout << platform::Gb18030ToUtf8(StatisticsText(scene.ComputeStatistics()));
    return kOk;
}

}  // namespace cli

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliMapFiles.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"

#include <iostream>

namespace cli {

int Resave(const std::vector<std::string>& args)
{
    CliArguments parsed;
    std::string error;
    if (!parsed.Parse(args, {{"-o"}}, 1, 1, error) || !parsed.Value("-o")) {
        std::cerr << "resave: " << (error.empty() ? "-o OUT is required" : error)
                  << "\nusage: quarrinlayvane-cli resave MAP -o OUT\n";
        return kUsage;
    }
    Scene scene(MsgCenter::Instance(), Scene::DemoScan::kNone);
    if (const int status = LoadMap(parsed.Positional()[0], scene); status != kOk)
        return status;
    return SaveMap(*parsed.Value("-o"), scene);
}

}  // namespace cli

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliDemoMapLoader.h"
#include "cli/CliMapFiles.h"
#include "cli/CliRoadResponder.h"
#include "cmd/RunLine_CMD.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"

#include <iostream>
#include <string>

namespace cli {
namespace {

constexpr const char* kUsageLine = "usage: quarrinlayvane-cli run [--map IN] [--road make|notice|ignore] -o OUT\n";

}  // namespace

int Run(const std::vector<std::string>& args)
{
    CliArguments parsed;
    std::string error;
    if (!parsed.Parse(args, {{"--map"}, {"--road"}, {"-o"}}, 0, 0, error) || !parsed.Value("-o")) {
        std::cerr << "run: " << (error.empty() ? "-o OUT is required" : error) << "\n" << kUsageLine;
        return kUsage;
    }
    const std::string road = parsed.Value("--road").value_or("notice");
    if (road != "make" && road != "notice" && road != "ignore") {
        std::cerr << "run: --road takes make, notice or ignore\n" << kUsageLine;
        return kUsage;
    }

    MsgCenter& center = MsgCenter::Instance();
    Scene scene(center, Scene::DemoScan::kNone);
    std::filesystem::path base = std::filesystem::current_path();
    if (const auto in = parsed.Value("--map")) {
        if (const int status = LoadMap(*in, scene); status != kOk)
            return status;
        base = std::filesystem::absolute(*in).parent_path();
    }
    CliRoadResponder roads(center, road == "make");
    CliDemoMapLoader loader(center, scene, base);

    // Lines are typed text: UTF-8 on our terminals, GB18030 inside the model;
    // a script of the target systems piped in is GB18030 already.
    std::string line;
    for (int number = 1; std::getline(std::cin, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        const std::string text = platform::TypedTextToGb18030(line);
        RunLine_CMD command(text);
        if (!command.Execute())
            std::cerr << "line " << number << ": not a command: " << platform::Gb18030ToUtf8(text) << "\n";
    }
    return loader.SaveScene(*parsed.Value("-o"));
}

}  // namespace cli

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliDemoMapLoader.h"
#include "cli/CliMapFiles.h"
#include "cli/CliRoadResponder.h"
#include "demo/DemoPlayer.h"
#include "demo/DemoPlayerView.h"
#include "demo/DemoScriptReader.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"

#include <iostream>
#include <string>
#include <system_error>

namespace cli {
namespace {

constexpr const char* kUsageLine = "usage: quarrinlayvane-cli play SCRIPT.qld -o OUT\n";

// No caption view here: only the lines that were not carried out are worth telling.
class StderrPlayerView : public DemoPlayerView {
public:
    void ShowInlinePage(const std::string&) override {}
    void ShowFilePage(const std::filesystem::path&) override {}
    bool ShowsCaptions() const override { return false; }
    void LineIgnored(const std::string& line, std::string_view reason) override
    {
        std::cerr << "play: " << platform::Gb18030ToUtf8(line) << ": " << reason << "\n";
        ++ignored;
    }

    int ignored = 0;
};

}  // namespace

int Play(const std::vector<std::string>& args)
{
    CliArguments parsed;
    std::string error;
    if (!parsed.Parse(args, {{"-o"}}, 1, 1, error) || !parsed.Value("-o")) {
        std::cerr << "play: " << (error.empty() ? "-o OUT is required" : error) << "\n" << kUsageLine;
        return kUsage;
    }
    // Absolute, so that the script's folder (where its map and caption page live) is never empty.
    std::error_code ec;
    const std::filesystem::path scriptFile =
        std::filesystem::absolute(platform::PathFromUtf8(parsed.Positional().front()), ec);
    auto script = ec ? std::nullopt : DemoScriptReader::ReadFile(scriptFile);
    if (!script) {
        std::cerr << "play: cannot read " << parsed.Positional().front()
                  << " as a demonstration script (missing, unreadable or not a script)\n";
        return kFailed;
    }
    if (script->Start().empty()) {
        std::cerr << "play: " << parsed.Positional().front() << " has no start lines to play\n";
        return kFailed;
    }

    MsgCenter& center = MsgCenter::Instance();
    Scene scene(center, Scene::DemoScan::kNone);
    // The script alone, whatever the "demo" folder beside the tool holds.
    scene.Demos().entries.assign(1, std::move(*script));
    scene.Demos().selected = 1;
    // The player forces the road setting to "make" while it plays.
    bool roadMake = false;
    CliRoadResponder roads(center, true);
    CliDemoMapLoader loader(center, scene, scene.Demos().entries.front().folder);
    StderrPlayerView view;
    DemoPlayer player(scene.Demos(), roadMake, &view);

    player.Load();
    // Sleeps only pace the panel's timer; without one the steps follow each other at once.
    while (player.Loaded() && player.Step() < player.StepCount())
        player.OneStep();
    if (!player.Loaded()) {
        std::cerr << "play: the demonstration stopped at a line without its mark; nothing was written\n";
        return kFailed;
    }
    return loader.SaveScene(*parsed.Value("-o"));
}

}  // namespace cli

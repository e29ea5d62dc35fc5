#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "cli/CliMapFiles.h"
#include "cli/CliSearchWaiter.h"
#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "search/SearchControl.h"
#include "search/SearchDriver.h"

#include <charconv>
#include <iostream>
#include <memory>

namespace cli {
namespace {

constexpr const char* kUsageLine =
    "usage: quarrinlayvane-cli layout MAP -o OUT [--back-lines N] [--memory-mb MB] [--rect X,Y,W,H]...\n"
    "                                 [--stop-after-ms T] [--stop-after-expansions N]\n"
    "                                 [--optimise [--time-limit S] [--threads N] [--seed N] [--work N]]\n";

bool ParseNumber(const std::string& text, std::int64_t min, std::int64_t max, std::int64_t& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= min && value <= max;
}

bool ParseRect(const std::string& text, GridRect& rect)
{
    std::int32_t* fields[] = {&rect.x, &rect.y, &rect.w, &rect.h};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',', start) : text.size();
        if (comma == std::string::npos)
            return false;
        std::int64_t value = 0;
        if (!ParseNumber(text.substr(start, comma - start), -1000000, 1000000, value))
            return false;
        *fields[i] = static_cast<std::int32_t>(value);
        start = comma + 1;
    }
    return true;
}

// Reads an optional whole number option within [min, max]; false with a message when it is malformed.
bool NumberOption(const CliArguments& args, const std::string& name, std::int64_t min, std::int64_t max,
                  std::optional<std::int64_t>& value)
{
    const auto text = args.Value(name);
    if (!text)
        return true;
    std::int64_t parsed = 0;
    if (!ParseNumber(*text, min, max, parsed)) {
        std::cerr << "layout: " << name << " takes a whole number from " << min << " to " << max << "\n";
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

int Layout(const std::vector<std::string>& args)
{
    CliArguments parsed;
    std::string error;
    const std::vector<CliArguments::OptionSpec> options = {
        {"-o"},          {"--back-lines"}, {"--memory-mb"}, {"--rect", true}, {"--stop-after-ms"},
        {"--stop-after-expansions"}, {"--optimise", false, false}, {"--time-limit"}, {"--threads"}, {"--seed"},
        {"--work"}};
    if (!parsed.Parse(args, options, 1, 1, error) || !parsed.Value("-o")) {
        std::cerr << "layout: " << (error.empty() ? "-o OUT is required" : error) << "\n" << kUsageLine;
        return kUsage;
    }
    std::optional<std::int64_t> backLines, memoryMb, stopMs, stopExpansions, timeLimit, threads, seed, work;
    if (!NumberOption(parsed, "--back-lines", 0, 100, backLines) ||
        !NumberOption(parsed, "--memory-mb", 1, 1 << 20, memoryMb) ||
        !NumberOption(parsed, "--stop-after-ms", 0, INT32_MAX, stopMs) ||
        !NumberOption(parsed, "--stop-after-expansions", 0, INT64_MAX, stopExpansions) ||
        !NumberOption(parsed, "--time-limit", 0, 86400, timeLimit) || !NumberOption(parsed, "--threads", 1, 256, threads) ||
        !NumberOption(parsed, "--seed", 0, UINT32_MAX, seed) || !NumberOption(parsed, "--work", 0, INT64_MAX, work))
        return kUsage;
    const bool optimise = parsed.Has("--optimise");
    for (const char* option : {"--time-limit", "--threads", "--seed", "--work"}) {
        if (!optimise && parsed.Has(option)) {
            std::cerr << "layout: " << option << " goes with --optimise\n" << kUsageLine;
            return kUsage;
        }
    }
    std::vector<GridRect> rects;
    for (const std::string& text : parsed.Values("--rect")) {
        GridRect rect;
        if (!ParseRect(text, rect)) {
            std::cerr << "layout: --rect takes X,Y,W,H, not " << text << "\n";
            return kUsage;
        }
        rects.push_back(rect);
    }

    MsgCenter& center = MsgCenter::Instance();
    SearchControl& control = SearchControl::Instance();
    Scene scene(center, Scene::DemoScan::kNone);
    if (const int status = LoadMap(parsed.Positional()[0], scene); status != kOk)
        return status;

    SearchDriver driver(center, control);
    if (backLines)
        driver.OverrideBackLines(static_cast<int>(*backLines));
    if (memoryMb)
        driver.OverrideBudgetMb(static_cast<int>(*memoryMb));
    // Without --optimise the beam search runs, whatever the settings file says.
    driver.OverrideMode(std::nullopt);
    if (optimise) {
        OptimiseSettings settings;
        settings.timeLimit = std::chrono::seconds(timeLimit.value_or(10));
        settings.threads = static_cast<int>(threads.value_or(0));
        settings.seed = static_cast<std::uint32_t>(seed.value_or(1));
        settings.work = work.value_or(-1);
        driver.OverrideMode(settings);
    }
    scene.SetLayoutRunner(&driver);
    control.stopAfterExpansions = stopExpansions.value_or(-1);
    std::optional<std::chrono::milliseconds> stopAfter;
    if (stopMs)
        stopAfter = std::chrono::milliseconds(*stopMs);
    CliSearchWaiter waiter(center, control, stopAfter);

    // The same commands the tools panel and the map view's menu give.
    CmdList& commands = CmdList::Instance();
    if (rects.empty()) {
        commands.Add(std::make_unique<SearchLayMap_CMD>());
    } else {
        commands.Add(std::make_unique<PrepareLayRect_CMD>());
        for (const GridRect& rect : rects)
            commands.Add(std::make_unique<SearchLayRect_CMD>(rect));
        commands.Add(std::make_unique<StartLayRect_CMD>());
    }
    driver.Join();
    scene.SetLayoutRunner(nullptr);

    std::int64_t covered = 0, factories = 0, houses = 0;
    for (const LayoutRecord& r : scene.WorkingRegion().placed) {
        covered += r.w * r.h;
        if (r.w == 5 && r.h == 4)
            ++factories;
        else
            ++houses;
    }
    const auto region = static_cast<std::int64_t>(scene.RegionSelection().count());
    std::cout << "layout: region=" << region << " covered=" << covered << " factories=" << factories
              << " houses=" << houses << " waste=" << region - covered << " ms=" << waiter.LastRunTime().count();
    if (optimise) {
        const int bound = control.optimisedBound;
        std::cout << " bound=" << bound << " proven=" << (bound == region - covered ? "yes" : "no");
    }
    std::cout << "\n";
    return SaveMap(*parsed.Value("-o"), scene);
}

}  // namespace cli

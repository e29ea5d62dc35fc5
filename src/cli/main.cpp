// quarrinlayvane-cli: the planner's model without windows, for batch work on maps.

#include "cli/CliCommands.h"
#include "cli/CliMapFiles.h"
#include "config/AppConfig.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: quarrinlayvane-cli COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  stats MAP                         print the map's statistics\n"
    "  resave MAP -o OUT                 read a map and write it again (version 1.1)\n"
    "  run [--map IN] [--road make|notice|ignore] -o OUT\n"
    "                                    run command lines from standard input\n"
    "  layout MAP -o OUT [--back-lines N] [--memory-mb MB] [--rect X,Y,W,H]...\n"
    "         [--stop-after-ms T] [--stop-after-expansions N]\n"
    "                                    fill the map's soil with houses and factories\n"
    "  play SCRIPT.qld -o OUT            play a demonstration script to its end and write the map\n"
    "  render MAP -o PNG [--cell N]      draw the whole map as the map view does (N pixels a cell,\n"
    "                                    2 to 64, default 4)\n"
    "  --help                            show this text\n"
    "\n"
    "Load problems are reported as \"Load Failed: ...\" on standard error.\n"
    "Exit status: 0 done, 1 a map or script could not be opened, was refused or could not be written,\n"
    "2 wrong usage.\n";

#ifndef QL_CLI_CAN_DRAW
int RenderUnavailable(const std::vector<std::string>&)
{
    std::fputs("render: this build has no drawing (it was built without Qt)\n", stderr);
    return cli::kUsage;
}
#endif

struct Command {
    std::string_view name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"stats", &cli::Stats},
    {"resave", &cli::Resave},
    {"run", &cli::Run},
    {"layout", &cli::Layout},
    {"play", &cli::Play},
#ifdef QL_CLI_CAN_DRAW
    {"render", &cli::Render},
#else
    {"render", &RenderUnavailable},
#endif
};

int Usage(std::FILE* to, int status)
{
    std::fputs(kUsage, to);
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage(stderr, cli::kUsage);
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help")
        return Usage(stdout, cli::kOk);
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (command.name != name)
            continue;
        try {
            // The tool works with the planner's settings but leaves "ql.cfg" as the planner wrote it.
            AppConfig::Instance().LeaveFileUnchanged();
            return command.run(args);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "quarrinlayvane-cli %s: %s\n", argv[1], e.what());
            return cli::kFailed;
        }
    }
    std::fprintf(stderr, "quarrinlayvane-cli: '%s' is not a command\n\n", argv[1]);
    return Usage(stderr, cli::kUsage);
}

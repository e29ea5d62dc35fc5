// quarrinlayvane-cli: the planner's model without windows, for batch work on maps.

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: quarrinlayvane-cli COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  stats MAP                         print the map's statistics\n"
    "  resave MAP -o OUT                 read a map and write it again (version 1.1)\n"
    "  run [--map IN] [--road make|notice|ignore] -o OUT\n"
    "                                    run command lines from standard input\n"
    "  layout MAP -o OUT [--back-lines N] [--memory-mb MB] [--rect X,Y,W,H]... [--stop-after-ms T]\n"
    "                                    fill the map's soil with houses and factories\n"
    "  play SCRIPT.qld -o OUT            play a demonstration to its end\n"
    "  render MAP -o PNG [--cell N]      draw the map as the map view does\n"
    "  --help                            show this text\n";

int Usage(std::FILE* to, int status)
{
    std::fputs(kUsage, to);
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage(stderr, 2);
    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h" || command == "help")
        return Usage(stdout, 0);
    std::fprintf(stderr, "quarrinlayvane-cli: '%s' is not a command this build has\n\n", argv[1]);
    return Usage(stderr, 2);
}

// Settings: whatever is read must write a text that reads back to the same settings.
#include "config/AppConfig.h"
#include "config/AppConfigFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string ParsedAndFormatted(std::string_view text)
{
    AppConfig config("/nonexistent-ql-fuzz-folder/ql.cfg");
    config.LeaveFileUnchanged();
    AppConfigFile::Parse(text, config);
    return AppConfigFile::Format(config);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string first = ParsedAndFormatted(std::string_view(reinterpret_cast<const char*>(data), size));
    if (ParsedAndFormatted(first) != first)
        __builtin_trap();
    return 0;
}

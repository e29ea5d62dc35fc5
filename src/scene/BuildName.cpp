#include "scene/BuildName.h"

std::string SanitizeBuildName(std::string_view name)
{
    static constexpr std::string_view kFullWidthColon = "\xA3\xBA";  // "：" in GB18030
    std::string clean;
    clean.reserve(name.size());
    for (const char c : name) {
        if (c == ':')
            clean += kFullWidthColon;
        else if (c != '\n' && c != '\r')
            clean += c;
    }
    return clean;
}

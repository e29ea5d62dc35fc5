#include "platform/UiText.h"

#include "platform/TextCodec.h"

#include <utility>

UiText UiText::Verbatim(std::string gb18030)
{
    return UiText{"", "%1", {std::move(gb18030)}};
}

UiText&& UiText::Arg(std::string gb18030) &&
{
    args.push_back(std::move(gb18030));
    return std::move(*this);
}

UiText& UiText::Arg(std::string gb18030) &
{
    args.push_back(std::move(gb18030));
    return *this;
}

std::string UiText::Chinese() const
{
    return FillPlaces(platform::Utf8ToGb18030(source), args);
}

std::string FillPlaces(std::string_view pattern, const std::vector<std::string>& args)
{
    std::string filled;
    filled.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                filled += args[n];
                ++i;
                continue;
            }
        }
        filled += pattern[i];
    }
    return filled;
}

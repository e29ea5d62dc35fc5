#include "platform/TextCodec.h"

#include <cerrno>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace platform {
namespace {

#ifdef _WIN32
constexpr UINT kGb18030 = 54936;

std::string Convert(std::string_view in, UINT from, UINT to)
{
    if (in.empty())
        return {};
    const int wide = MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), w.data(), wide);
    const int narrow = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(to, 0, w.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}
#else
// Converts with iconv; a byte that starts no valid sequence becomes `replacement`
// and the conversion goes on after it.
std::string Convert(std::string_view in, const char* from, const char* to, std::string_view replacement)
{
    std::string out;
    if (in.empty())
        return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    std::vector<char> buffer(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
        if (rc != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a sequence cut short at the end): skip one byte.
        out.append(replacement);
        ++src;
        --srcLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
    iconv_close(cd);
    return out;
}
#endif

}  // namespace

std::string Gb18030ToUtf8(std::string_view gb)
{
#ifdef _WIN32
    return Convert(gb, kGb18030, CP_UTF8);
#else
    return Convert(gb, "GB18030", "UTF-8", "\xEF\xBF\xBD");
#endif
}

std::string Utf8ToGb18030(std::string_view utf8)
{
#ifdef _WIN32
    return Convert(utf8, CP_UTF8, kGb18030);
#else
    return Convert(utf8, "UTF-8", "GB18030", "?");
#endif
}

std::filesystem::path PathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace platform

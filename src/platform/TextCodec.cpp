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

bool IsUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;  // the range of the first continuation byte
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
                return false;
        }
        i += length;
    }
    return true;
}

std::string TypedTextToGb18030(std::string_view text)
{
    return IsUtf8(text) ? Utf8ToGb18030(text) : std::string(text);
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

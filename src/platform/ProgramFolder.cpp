#include "platform/ProgramFolder.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

std::filesystem::path ProgramFolder()
{
    std::error_code ec;
#ifdef _WIN32
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    if (n > 0 && n < std::size(buffer))
        return std::filesystem::path(std::wstring(buffer, n)).parent_path();
#else
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return exe.parent_path();
#endif
    const auto here = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : here;
}

}  // namespace platform

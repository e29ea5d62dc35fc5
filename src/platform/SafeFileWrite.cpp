#include "platform/SafeFileWrite.h"

#include <fstream>
#include <system_error>

namespace platform {

bool WriteFileSafely(const std::filesystem::path& file, const std::function<void(std::ostream&)>& write)
{
    std::filesystem::path temp = file;
    temp += ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        write(out);
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace platform

#include "demo/RecordingExport.h"

#include "cmd/CmdList.h"
#include "platform/FileNames.h"
#include "platform/RegularFileRead.h"
#include "platform/SafeFileWrite.h"
#include "platform/TextCodec.h"
#include "scene/MapFileReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <sstream>
#include <string_view>
#include <system_error>

namespace {

// Most file systems stop at 255 bytes per name; ".qld" must still fit.
constexpr std::size_t kMaxFileNameBytes = 255;
constexpr std::string_view kScriptExtension = ".qld";
constexpr std::string_view kMapExtension = ".qlm";

bool HasForbiddenCharacter(std::string_view utf8)
{
    // In UTF-8 a byte below 0x80 is always a character of its own, unlike the
    // trail bytes of GB18030, so the check runs on the converted name.
    return std::any_of(utf8.begin(), utf8.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 || c == 0x7F || std::string_view("<>:\"|?*").find(ch) != std::string_view::npos;
    });
}

// A script line must stay one line, whatever the user typed.
std::string OneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::filesystem::path FileOfShow(const std::filesystem::path& folder, const std::string& name,
                                 std::string_view extension)
{
    return folder / platform::PathFromUtf8(platform::Gb18030ToUtf8(name) + std::string(extension));
}

bool CopyMapSafely(const std::filesystem::path& from, const std::filesystem::path& to)
{
    platform::FileReadProblem problem = platform::FileReadProblem::kNone;
    const std::optional<std::string> map = platform::ReadRegularFile(from, MapFileReader::kMaxFileBytes, problem);
    return map && platform::WriteFileSafely(to, *map);
}

}  // namespace

RecordingExport::Date RecordingExport::Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<UiText> RecordingExport::ShowNameProblem(const std::string& name)
{
    if (name.empty())
        return QL_TEXT("RecordingExport", "名称不能为空。");
    const std::string utf8 = platform::Gb18030ToUtf8(name);
    if (platform::Utf8ToGb18030(utf8) != name)
        return QL_TEXT("RecordingExport", "名称中有无法识别的字符。");
    if (utf8.find_first_of("/\\") != std::string::npos)
        return QL_TEXT("RecordingExport", "名称不能含有 / 或 \\。");
    if (utf8.find("..") != std::string::npos || utf8 == ".")
        return QL_TEXT("RecordingExport", "名称不能是 . 或含有 ..。");
    if (HasForbiddenCharacter(utf8))
        return QL_TEXT("RecordingExport", "名称不能含有控制字符或 < > : \" | ? * 。");
    // The script names the show at the end of two lines, and a line ending in "+" continues on the next.
    if (utf8.back() == '+')
        return QL_TEXT("RecordingExport", "名称不能以 + 结尾。");
    if (utf8.front() == ' ' || utf8.back() == ' ' || utf8.back() == '.')
        return QL_TEXT("RecordingExport", "名称不能以空格开头，也不能以空格或点结尾。");
    if (platform::IsDeviceName(utf8))
        return QL_TEXT("RecordingExport", "名称是系统保留的设备名。");
    if (utf8.size() + kScriptExtension.size() > kMaxFileNameBytes)
        return QL_TEXT("RecordingExport", "名称太长。");
    return std::nullopt;
}

std::optional<UiText> RecordingExport::ScriptProblem(const std::string& author, const CmdList& history)
{
    const std::string oneLine = OneLine(author);
    if (!oneLine.empty() && oneLine.back() == '+')
        return QL_TEXT("RecordingExport", "作者名不能以 + 结尾。");
    std::ostringstream commands;
    history.WriteAll(commands);
    std::istringstream lines(commands.str());
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        // The reader skips a line of one character and joins a line ending in "+" to the next.
        if (line.size() < 2 || line.back() == '+' || line.back() == '\r')
            return QL_TEXT("RecordingExport", "第 %1 条命令无法按原样写入脚本（空行或以 + 结尾），请撤销它后再导出。")
                .Arg(std::to_string(number));
    }
    return std::nullopt;
}

std::string RecordingExport::ScriptText(const std::string& name, const std::string& author, const Date& date,
                                        const CmdList& history)
{
    std::ostringstream out;
    out << kScriptHeader << '\n'
        << ">title " << name << '\n'
        << ">author " << OneLine(author) << '\n'
        << ">date " << date.year << '-' << date.month << '-' << date.day << '\n'
        << ">speed 1\n"
        << ">pre\n"
        << ",load " << name << '\n'
        << ">start\n";
    history.WriteAll(out);
    out << ">end\n";
    return out.str();
}

RecordingExport::Outcome RecordingExport::Export(const std::filesystem::path& programFolder, const std::string& name,
                                                 const std::string& author, const Date& date, const CmdList& history)
{
    if (const auto problem = ShowNameProblem(name))
        return Outcome{false, *problem};

    if (const auto problem = ScriptProblem(author, history))
        return Outcome{false, *problem};

    const std::filesystem::path folder = AutoFolder(programFolder);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return Outcome{false, QL_TEXT("RecordingExport", "无法创建目录 demo/auto。")};

    // Without its starting map the script could not be played, so it is not written either.
    if (!CopyMapSafely(StartMapFile(programFolder), FileOfShow(folder, name, kMapExtension)))
        return Outcome{false, QL_TEXT("RecordingExport", "无法复制录制的起始地图 temp/s.qlm。")};

    const std::string text = ScriptText(name, author, date, history);
    if (!platform::WriteFileSafely(FileOfShow(folder, name, kScriptExtension), text))
        return Outcome{false, QL_TEXT("RecordingExport", "无法写入演示脚本。")};
    return Outcome{true, {}};
}

std::filesystem::path RecordingExport::AutoFolder(const std::filesystem::path& programFolder)
{
    return programFolder / "demo" / "auto";
}

std::filesystem::path RecordingExport::StartMapFile(const std::filesystem::path& programFolder)
{
    return programFolder / "temp" / "s.qlm";
}

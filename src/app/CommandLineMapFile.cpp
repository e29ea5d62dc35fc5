#include "app/CommandLineMapFile.h"

std::wstring CommandLineMapFile::FromWindowsCommandLine(const std::wstring& commandLine)
{
    static const std::wstring kProgramEnd = L".exe\" ";
    const std::size_t at = commandLine.find(kProgramEnd);
    if (at == std::wstring::npos)
        return {};
    return commandLine.substr(at + kProgramEnd.size());
}

std::string CommandLineMapFile::FromArguments(const std::vector<std::string>& arguments)
{
    std::string joined;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            joined += ' ';
        joined += arguments[i];
    }
    return joined;
}

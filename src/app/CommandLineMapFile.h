#pragma once

#include <string>
#include <vector>

// The map file the program was started with: loaded at start, saved to on close.
class CommandLineMapFile {
public:
    // Windows: the text after the quoted program path (`.exe"` and a blank),
    // unchanged; empty when the program path was not quoted.
    static std::wstring FromWindowsCommandLine(const std::wstring& commandLine);

    // Elsewhere: the arguments after the program name joined by single blanks,
    // so a path with blanks given without quotes still names one file.
    static std::string FromArguments(const std::vector<std::string>& arguments);
};

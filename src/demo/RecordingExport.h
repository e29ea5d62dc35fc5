#pragma once

#include "platform/UiText.h"

#include <filesystem>
#include <optional>
#include <string>

class CmdList;

// Turns a recording into a demonstration: the starting map "temp/s.qlm" is
// copied to "demo/auto/<name>.qlm" and the script "demo/auto/<name>.qld"
// replays the commands in effect. Names are GB18030 bytes.
class RecordingExport {
public:
    struct Date {
        int year = 0;
        int month = 0;
        int day = 0;
    };

    struct Outcome {
        bool written = false;
        // Why nothing (or not everything) was written; empty when written.
        UiText problem;
    };

    static constexpr const char* kScriptHeader = "QuarrinLayvane Demo Script File. Version 1.0";

    // The local date of the system clock.
    static Date Today();

    // The show name becomes a file name; why it cannot be one, or nothing
    // when it is fine.
    static std::optional<UiText> ShowNameProblem(const std::string& name);

    // Why the script of this author and these commands would not read back
    // as written (a line ending in "+" is joined to the next one when read);
    // nothing when it reads back the same.
    static std::optional<UiText> ScriptProblem(const std::string& author, const CmdList& history);

    // The whole ".qld" text: header lines, the load line of the map and one
    // "." line per command in effect.
    static std::string ScriptText(const std::string& name, const std::string& author, const Date& date,
                                  const CmdList& history);

    static Outcome Export(const std::filesystem::path& programFolder, const std::string& name,
                          const std::string& author, const Date& date, const CmdList& history);

    static std::filesystem::path AutoFolder(const std::filesystem::path& programFolder);
    static std::filesystem::path StartMapFile(const std::filesystem::path& programFolder);
};

#include "config/AppConfigFile.h"

#include "platform/TextBlank.h"

#include "config/AppConfig.h"
#include "config/ConfigWordReader.h"
#include "platform/RegularFileRead.h"
#include "platform/SafeFileWrite.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sstream>
#include <vector>

namespace {

// No settings file is anywhere near this; a larger one is not ours.
constexpr std::uintmax_t kMaxFileBytes = 16 * 1024 * 1024;

std::string Hex(std::uint32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(value));
    return buffer;
}

const char* YesNo(bool value)
{
    return value ? "Yes" : "No";
}

}  // namespace

void AppConfigFile::Parse(std::string_view text, AppConfig& config)
{
    ConfigWordReader in(text);

    std::string word;
    // An empty file, like "AutoMemory", leaves the computed budget.
    config.autoMemory = true;
    if (in.Word(word) && word == "CustomMemery:") {
        config.autoMemory = false;
        // A number that cannot be read keeps the budget in hand, but as a custom one it keeps to the range.
        std::int32_t budget = config.memoryBudget;
        in.Decimal(budget);
        config.memoryBudget = std::clamp(budget, kMinCustomBudget, kMaxCustomBudget);
    }
    if (in.Failed())
        return;

    std::int32_t backLine = config.maxBackLine;
    if (in.Key("MaxBackLine:") && in.Decimal(backLine))
        config.maxBackLine = std::clamp(backLine, 0, kMaxBackLineLimit);

    if (in.Key("ZoomType:") && in.Word(word))
        config.zoomKeepCenter = word == "KeepCenter";

    if (in.Key("GridLine:") && in.Word(word)) {
        config.gridAuto = word == "Auto";
        config.gridShow = !config.gridAuto && word == "Show";
    }

    if (in.Key("HideBuildFrame:") && in.Word(word))
        config.hideBuildFrame = word == "Yes";
    if (in.Key("HideBuildGrid:") && in.Word(word))
        config.hideBuildGrid = word == "Yes";
    if (in.Key("HideBuildName:") && in.Word(word))
        config.hideBuildName = word == "Yes";

    if (in.Key("HouseColor:"))
        in.Hex(config.houseColor);
    if (in.Key("FactoryColor:"))
        in.Hex(config.factoryColor);
    if (in.Key("OtherBuildColor:"))
        in.Hex(config.otherBuildColor);

    std::int32_t count = 0;
    if (in.Key("ColorNames:") && in.Decimal(count)) {
        for (std::int32_t i = 0; i < count; ++i) {
            ColorRef colour = 0;
            std::string name;
            if (!in.Hex(colour) || !in.Word(name))
                break;
            config.colorNames[colour] = name;
        }
    }

    if (in.Key("Road:") && in.Word(word)) {
        config.roadMake = word == "Make";
        config.roadNotice = config.roadMake || word == "Notice";
    }

    if (in.Word(word))
        config.saveTempRecFile = word == "SaveTempRecFile";

    // Keys added after the first release: older files end before them, and
    // older readers stop before them.
    if (in.Key("LayoutMode:") && in.Word(word))
        config.optimisedLayout = word == "Optimised";
    std::int32_t seconds = config.layoutSeconds;
    if (in.Key("LayoutTimeLimit:") && in.Decimal(seconds))
        config.layoutSeconds = std::clamp(seconds, kMinLayoutSeconds, kMaxLayoutSeconds);

    if (in.Key("Language:") && in.Word(word) && (word == "zh" || word == "en"))
        config.language = word;
}

std::string AppConfigFile::Format(const AppConfig& config)
{
    std::vector<std::pair<ColorRef, std::string>> names;
    for (const auto& [colour, name] : config.colorNames) {
        std::string word = platform::WithoutBlanks(name);
        if (!word.empty())
            names.emplace_back(colour, std::move(word));
    }

    std::ostringstream out;
    if (config.autoMemory)
        out << "AutoMemory\n";
    else
        out << "CustomMemery: " << config.memoryBudget << "\n";
    out << "MaxBackLine: " << config.maxBackLine << "\n";
    out << "ZoomType: " << (config.zoomKeepCenter ? "KeepCenter" : "KeepOffset") << "\n";
    out << "GridLine: " << (config.gridAuto ? "Auto" : config.gridShow ? "Show" : "Hide") << "\n";
    out << "HideBuildFrame: " << YesNo(config.hideBuildFrame) << "\n";
    out << "HideBuildGrid: " << YesNo(config.hideBuildGrid) << "\n";
    out << "HideBuildName: " << YesNo(config.hideBuildName) << "\n";
    out << "HouseColor: " << Hex(config.houseColor) << "\n";
    out << "FactoryColor: " << Hex(config.factoryColor) << "\n";
    out << "OtherBuildColor: " << Hex(config.otherBuildColor) << "\n";
    out << "ColorNames: " << names.size() << "\n";
    for (const auto& [colour, name] : names)
        out << Hex(colour) << " " << name << "\n";
    out << "Road: " << (config.roadMake ? "Make" : config.roadNotice ? "Notice" : "Ignore") << "\n";
    out << (config.saveTempRecFile ? "SaveTempRecFile" : "DoNotSaveTempRecFile") << "\n";
    out << "LayoutMode: " << (config.optimisedLayout ? "Optimised" : "Beam") << "\n";
    out << "LayoutTimeLimit: " << config.layoutSeconds << "\n";
    // Only an override is written.
    if (config.language == "zh" || config.language == "en")
        out << "Language: " << config.language << "\n";
    return out.str();
}

bool AppConfigFile::Read(const std::filesystem::path& file, AppConfig& config)
{
    platform::FileReadProblem problem = platform::FileReadProblem::kNone;
    const std::optional<std::string> text = platform::ReadRegularFile(file, kMaxFileBytes, problem);
    if (!text)
        return false;
    Parse(*text, config);
    return true;
}

bool AppConfigFile::Write(const std::filesystem::path& file, const AppConfig& config)
{
    const std::string text = Format(config);
    return platform::WriteFileSafely(file, text);
}

#pragma once

#include "msg/MsgTypes.h"
#include "platform/MemoryStatus.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

// The user's settings. Read from "ql.cfg" when created, written back when
// destroyed; panels change the fields directly in between.
class AppConfig {
public:
    static constexpr ColorRef kDefaultBuildColor = MakeColorRef(0, 28, 255);
    static constexpr const char* kFileName = "ql.cfg";

    // The settings of "ql.cfg" in the program folder.
    AppConfig();
    // The settings of the given file (tests and tools use their own folders).
    explicit AppConfig(std::filesystem::path file);
    // Writes the settings back to their file, unless told to leave it alone.
    ~AppConfig();
    AppConfig(const AppConfig&) = delete;
    AppConfig& operator=(const AppConfig&) = delete;

    // The process-wide settings; "Dead Reference Detected" after exit-time destruction.
    static AppConfig& Instance();

    // Reads the machine's memory figures; with autoMemory also the budget.
    void RefreshMemory();
    void RefreshMemory(const platform::PhysicalMemory& memory);

    const std::filesystem::path& File() const { return file_; }
    // For tools that read the user's settings but must never change them.
    void LeaveFileUnchanged() { writeBack_ = false; }

    bool autoMemory = true;
    std::int32_t memoryBudget = 100;  // MB
    std::int32_t totalMemory = 0;      // MB
    std::int32_t availableMemory = 0;  // MB
    std::int32_t maxBackLine = 8;
    bool optimisedLayout = false;      // the layout mode: beam search or optimised
    std::int32_t layoutSeconds = 10;   // the optimised mode's time limit
    bool recording = false;  // never saved
    bool saveTempRecFile = true;
    bool zoomKeepCenter = false;
    bool gridAuto = true;
    bool gridShow = false;
    bool hideBuildGrid = false;
    bool hideBuildFrame = false;
    bool hideBuildName = false;
    ColorRef houseColor = kDefaultBuildColor;
    ColorRef factoryColor = kDefaultBuildColor;
    ColorRef otherBuildColor = kDefaultBuildColor;
    std::map<ColorRef, std::string> colorNames;
    bool roadNotice = true;
    bool roadMake = false;
    // The windows' language, "zh" or "en"; empty lets the system's locale choose.
    std::string language;

private:
    std::filesystem::path file_;
    bool writeBack_ = true;
};

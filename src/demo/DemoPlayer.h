#pragma once

#include "demo/CaptionPageWriter.h"
#include "platform/UiText.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class DemoCatalogue;
class DemoPlayerView;

// Which of the player's four control buttons can be pressed.
struct DemoButtons {
    bool pause = false;
    bool play = false;
    bool next = false;
    bool replay = false;

    friend bool operator==(const DemoButtons&, const DemoButtons&) = default;
};

// The step machine of the demonstration panel: loads the script selected in
// the catalogue, runs its "pre" lines, then its "start" lines a step at a
// time, by hand or once per timer tick. Texts are GB18030 bytes.
class DemoPlayer {
public:
    static constexpr const char* kPageFileName = CaptionPageWriter::kPageFileName;
    // The empty caption view, as an "about:" page body.
    static constexpr const char* kBlankPage = "<body scroll=no bgcolor=#D4D0C8 border=0></body>";

    // `roadMake` is the road setting that a loaded demonstration forces on.
    // `view` may be null; it must outlive the player.
    DemoPlayer(const DemoCatalogue& catalogue, bool& roadMake, DemoPlayerView* view);
    // Gives the user back the road setting if a demonstration is still loaded.
    ~DemoPlayer();
    DemoPlayer(const DemoPlayer&) = delete;
    DemoPlayer& operator=(const DemoPlayer&) = delete;

    // Clears the map and starts the selected demonstration from its first step.
    void Load();
    // Runs the lines up to and including the next "." line.
    void OneStep();
    // Refused when fewer than two lines are left.
    void Play();
    void Pause();
    void Replay();
    // One second of the automatic player.
    void Tick();
    void Reset();

    bool Loaded() const { return !steps_.empty(); }
    std::int32_t Step() const { return step_; }
    std::int32_t StepCount() const { return stepCount_; }
    std::int32_t SleepLeft() const { return sleep_; }
    bool Playing() const { return playing_; }
    const std::string& Caption() const { return caption_; }
    const UiText& Details() const { return details_; }
    const UiText& Progress() const { return progress_; }
    const DemoButtons& Buttons() const { return buttons_; }
    // The folder of the loaded script, where its captions find their files; empty when none is loaded.
    const std::filesystem::path& ScriptFolder() const { return scriptFolder_; }
    // Where "%" caption pages are written.
    CaptionPageWriter& PageWriter() { return pageWriter_; }

private:
    // True when the line ends a step.
    bool ExecuteLine(const std::string& line);
    void Say(const std::string& text);
    void ClearCaption();
    void ShowCaptionPage(const std::string& body);
    void RefreshProgress();
    void ForceRoadMake();
    void RestoreRoadMake();

    const DemoCatalogue& catalogue_;
    bool& roadMake_;
    DemoPlayerView* view_;
    CaptionPageWriter pageWriter_;

    // Copied from the script: a rescan of the catalogue must not pull them away mid-play.
    std::filesystem::path scriptFolder_;
    std::vector<std::string> steps_;
    bool savedRoadMake_ = false;
    bool roadMakeForced_ = false;
    std::int32_t step_ = -1;
    std::int32_t stepCount_ = -1;
    std::int32_t sleep_ = 0;
    bool playing_ = false;
    // A line may open a modal box whose event loop delivers timer ticks; those must not step.
    bool running_ = false;
    std::string caption_;
    UiText details_;
    UiText progress_;
    DemoButtons buttons_;
};

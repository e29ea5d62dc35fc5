#include "demo/DemoPlayer.h"

#include "cmd/CommandInterpreter.h"
#include "cmd/CommandText.h"
#include "cmd/EditCommands.h"
#include "demo/DemoCatalogue.h"
#include "demo/DemoPlayerView.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/MapFileRequests.h"
#include "platform/TextBlank.h"

#include <optional>
#include <sstream>

namespace {

// The name "load" asks for: its first word and the rest of the line, as the interpreter reads it.
std::string MapNameOf(const std::string& arguments)
{
    std::istringstream in(arguments);
    std::string name;
    in >> name;
    std::string tail;
    command_text::ReadRestOfLine(in, tail);
    return name + tail;
}

std::string WithoutLeadingBlanks(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size() && platform::IsBlank(static_cast<unsigned char>(text[start])))
        ++start;
    return text.substr(start);
}

}  // namespace

DemoPlayer::DemoPlayer(const DemoCatalogue& catalogue, bool& roadMake, DemoPlayerView* view)
    : catalogue_(catalogue), roadMake_(roadMake), view_(view)
{
    RefreshProgress();
}

DemoPlayer::~DemoPlayer()
{
    RestoreRoadMake();
}

void DemoPlayer::Load()
{
    const DemoScript* script = catalogue_.Selected();
    if (script == nullptr || script->Start().empty()) {
        // Nothing is loaded any more, so the user's road setting comes back too.
        RestoreRoadMake();
        steps_.clear();
        scriptFolder_.clear();
        details_ = QL_TEXT("DemoPlayer", "无效演示");
        ClearCaption();
        playing_ = false;
        step_ = stepCount_ = -1;
        sleep_ = 0;
        RefreshProgress();
        return;
    }

    details_ = QL_TEXT("DemoPlayer", " 名称: %1\r\n 作者: %2\r\n 日期: %3\r\n 速度:  正常")
                   .Arg(script->Title())
                   .Arg(script->Author())
                   .Arg(script->Date());
    playing_ = false;
    step_ = 0;
    sleep_ = 0;
    scriptFolder_ = script->folder;
    steps_ = script->Start();
    stepCount_ = static_cast<std::int32_t>(steps_.size());
    const std::vector<std::string> pre = script->Pre();

    ClearScene_CMD().Execute();
    // From here the map in hand is the demonstration's, not a file of the user's.
    MsgCenter::Instance().Send(MapFileEvent_Msg{MapFileKind::DemoMap, {}, false});
    ForceRoadMake();
    ClearCaption();
    for (const std::string& line : pre) {
        ExecuteLine(line);
        // A line without its mark stops the demonstration; the rest of "pre" must not run.
        if (!Loaded())
            break;
    }
    RefreshProgress();
}

void DemoPlayer::OneStep()
{
    if (running_ || step_ < 0 || step_ >= stepCount_)
        return;
    running_ = true;
    bool endsStep = ExecuteLine(steps_[step_]);
    while (Loaded() && !endsStep) {
        if (++step_ >= stepCount_) {
            playing_ = false;
            break;
        }
        endsStep = ExecuteLine(steps_[step_]);
    }
    if (Loaded() && ++step_ >= stepCount_)
        playing_ = false;
    running_ = false;
    RefreshProgress();
}

void DemoPlayer::Play()
{
    if (step_ < stepCount_ - 1) {
        playing_ = true;
        RefreshProgress();
    }
}

void DemoPlayer::Pause()
{
    if (playing_) {
        playing_ = false;
        RefreshProgress();
    }
}

void DemoPlayer::Replay()
{
    Load();
}

void DemoPlayer::Tick()
{
    if (!playing_ || running_)
        return;
    if (sleep_ >= 1) {
        --sleep_;
        RefreshProgress();
    } else {
        OneStep();
    }
}

void DemoPlayer::Reset()
{
    RestoreRoadMake();
    scriptFolder_.clear();
    playing_ = false;
    step_ = stepCount_ = -1;
    steps_.clear();
    RefreshProgress();
}

bool DemoPlayer::ExecuteLine(const std::string& line)
{
    std::istringstream in(line);
    char mark = 0;
    in >> mark;
    if (mark != '.' && mark != ',') {
        if (view_ != nullptr)
            view_->LineIgnored(line, "the line has no '.' or ',' mark; the demonstration stops");
        Reset();
        return true;
    }
    std::string command;
    in >> command;
    std::string rest;
    command_text::ReadRestOfLine(in, rest);

    if (command == "sleep") {
        std::istringstream arguments(rest);
        command_text::ReadInt32(arguments, sleep_);
    } else if (command == "say") {
        Say(WithoutLeadingBlanks(rest));
    } else {
        // Refused here as well as by the map loader, so a hostile name never even leaves the player.
        if (command == "load" && !MapFileRequests::DemoMapFileName(MapNameOf(rest))) {
            if (view_ != nullptr)
                view_->LineIgnored(line, "a map name must be a plain file name");
            return mark == '.';
        }
        std::istringstream arguments(rest);
        if (!CommandInterpreter::Interpret(command, arguments) && view_ != nullptr)
            view_->LineIgnored(line, "not a command");
    }
    return mark == '.';
}

void DemoPlayer::Say(const std::string& text)
{
    if (!text.empty() && text.front() == '%') {
        if (view_ == nullptr || !view_->ShowsCaptions())
            return;
        const std::string page =
            "<html><head></head><body scroll=no bgcolor=#D4D0C8 border=0 topmargin=0 leftmargin=0>" + text.substr(1) +
            "</body></html>";
        // Without its file the page is still shown, inline.
        if (const std::optional<std::filesystem::path> file = pageWriter_.Write(scriptFolder_, page))
            view_->ShowFilePage(*file);
        else
            view_->ShowInlinePage(page);
        return;
    }
    if (!text.empty() && text.front() == '+')
        caption_ += text.substr(1);
    else
        caption_ = text;
    ShowCaptionPage(caption_);
}

void DemoPlayer::ClearCaption()
{
    // The last demonstration's caption must not stay on show over one that has none.
    caption_.clear();
    if (view_ != nullptr)
        view_->ShowInlinePage("");
}

void DemoPlayer::ShowCaptionPage(const std::string& body)
{
    if (view_ != nullptr)
        view_->ShowInlinePage("<body scroll=no bgcolor=#D4D0C8 border=0 topmargin=3 leftmargin=3><font color=red size=2>" +
                              body + "</font></body>");
}

void DemoPlayer::RefreshProgress()
{
    if (step_ == -1 || stepCount_ < 1) {
        progress_ = QL_TEXT("DemoPlayer", " 进度:  无效脚本 %1 / %2 (%3%)%4");
        buttons_ = {};
    } else if (step_ >= stepCount_) {
        progress_ = QL_TEXT("DemoPlayer", " 进度:  结束  %1 / %2 (%3%)%4");
        buttons_ = {false, false, false, true};
    } else if (playing_) {
        progress_ = QL_TEXT("DemoPlayer", " 进度:  播放  %1 / %2 (%3%)%4");
        buttons_ = {true, false, false, true};
    } else {
        progress_ = QL_TEXT("DemoPlayer", " 进度:  暂停  %1 / %2 (%3%)%4");
        buttons_ = {false, true, true, true};
    }
    const long long percent = stepCount_ == 0 ? 0 : static_cast<long long>(step_) * 100 / stepCount_;
    progress_.Arg(std::to_string(step_)).Arg(std::to_string(stepCount_)).Arg(std::to_string(percent));
    progress_.Arg(sleep_ >= 1 ? "  D " + std::to_string(sleep_) : std::string());
}

void DemoPlayer::ForceRoadMake()
{
    // A replay must not take the forced value for the user's own.
    if (!roadMakeForced_)
        savedRoadMake_ = roadMake_;
    roadMakeForced_ = true;
    roadMake_ = true;
}

void DemoPlayer::RestoreRoadMake()
{
    if (!roadMakeForced_)
        return;
    roadMake_ = savedRoadMake_;
    roadMakeForced_ = false;
}

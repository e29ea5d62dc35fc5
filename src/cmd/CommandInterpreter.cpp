#include "cmd/CommandInterpreter.h"

#include "cmd/CommandText.h"
#include "cmd/EditCommands.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"

#include <string>
#include <utility>

namespace {

// Reads the argument record and sends it as the message of command class `Command`.
template <class Command>
void SendWithArgs(std::istream& rest)
{
    typename Command::RecordType record{};
    // A short or malformed line still sends, with defaults for what was not read.
    command_text::ReadArgs(rest, record);
    MsgCenter::Instance().Send(Command{std::move(record)});
}

template <class Message>
void Send(const Message& message)
{
    MsgCenter::Instance().Send(message);
}

std::string NextWord(std::istream& rest)
{
    std::string word;
    rest >> word;
    return word;
}

void Load(std::istream& rest)
{
    std::string word = NextWord(rest);
    std::string tail;
    command_text::ReadRestOfLine(rest, tail);
    Send(LoadDomoMap_Msg{word + tail});
}

void Center(std::istream& rest)
{
    // No sensible default place to scroll to: an incomplete line does nothing.
    MoveSceneCenter_Msg message;
    if (command_text::ReadInt32(rest, message.x) && command_text::ReadInt32(rest, message.y))
        Send(message);
}

void Zoom(std::istream& rest)
{
    ZoomSceneSize_Msg message;
    if (command_text::ReadInt32(rest, message.cellSize))
        Send(message);
}

void Tip(std::istream& rest)
{
    ShowGridTip_Msg message;
    if (command_text::ReadInt32(rest, message.x) && command_text::ReadInt32(rest, message.y))
        command_text::ReadRestOfLine(rest, message.text);
    Send(message);
}

bool Hide(std::istream& rest)
{
    if (NextWord(rest) != "tip")
        return false;
    Send(HideGridTip_Msg{});
    return true;
}

bool Clear(std::istream& rest)
{
    const std::string what = NextWord(rest);
    if (what == "scene")
        Send(ClearScene_CMD{});
    else if (what == "mark")
        Send(ClearMark_CMD{});
    else if (what == "build")
        Send(ClearBuild_CMD{});
    else
        return false;
    return true;
}

bool Delete(std::istream& rest)
{
    if (NextWord(rest) != "mark")
        return false;
    SendWithArgs<DelMark_CMD>(rest);
    return true;
}

bool Fill(std::istream& rest)
{
    const std::string what = NextWord(rest);
    if (what == "soil")
        SendWithArgs<FillSoil_CMD>(rest);
    else if (what == "road")
        SendWithArgs<FillRoad_CMD>(rest);
    else if (what == "wall")
        SendWithArgs<FillWall_CMD>(rest);
    else if (what == "balk")
        SendWithArgs<FillBalk_CMD>(rest);
    else
        return false;
    return true;
}

}  // namespace

bool CommandInterpreter::Interpret(const std::string& firstWord, std::istream& rest)
{
    if (firstWord == "load")
        Load(rest);
    else if (firstWord == "center")
        Center(rest);
    else if (firstWord == "zoom")
        Zoom(rest);
    else if (firstWord == "build")
        SendWithArgs<AddBuild_CMD>(rest);
    else if (firstWord == "break")
        SendWithArgs<DelBuild_CMD>(rest);
    else if (firstWord == "tip")
        Tip(rest);
    else if (firstWord == "hide")
        return Hide(rest);
    else if (firstWord == "clear")
        return Clear(rest);
    else if (firstWord == "mark")
        SendWithArgs<AddMark_CMD>(rest);
    else if (firstWord == "delete")
        return Delete(rest);
    else if (firstWord == "fill")
        return Fill(rest);
    else if (firstWord == "place")
        SendWithArgs<PlaceBuild_CMD>(rest);
    else if (firstWord == "rename")
        SendWithArgs<RenameBuild_CMD>(rest);
    else if (firstWord == "recolor")
        SendWithArgs<RecolorBuild_CMD>(rest);
    else
        return false;
    return true;
}

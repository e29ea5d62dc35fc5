#include "cmd/CmdList.h"

#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"

#include <loki/Singleton.h>

#include <stdexcept>

namespace {
using CmdListHolder =
    Loki::SingletonHolder<CmdList, Loki::CreateUsingNew, Loki::DefaultLifetime, Loki::SingleThreaded>;
}

CmdList::~CmdList()
{
    Clear();
}

CmdList& CmdList::Instance()
{
    return CmdListHolder::Instance();
}

void CmdList::Add(std::unique_ptr<Base_CMD> command)
{
    if (!command)
        return;
    MsgCenter& center = MsgCenter::Instance();
    center.Send(EditStarting_Msg{});
    command->Execute();
    center.Send(EditFinished_Msg{});
    const AppConfig& config = AppConfig::Instance();
    if (!config.recording)
        return;
    commands_.erase(commands_.begin() + position_, commands_.end());
    commands_.push_back(std::move(command));
    position_ = Size();
    if (config.saveTempRecFile)
        center.Send(SaveTempMap_Msg{Size() - 1});
    center.Send(CmdListUpdate_Msg{false});
}

void CmdList::GoTo(std::int32_t index)
{
    // A negative index (a list with nothing selected) would otherwise move the
    // position before the first command, and the next Add would drop them all.
    if (index < 0 || index >= Size())
        return;
    position_ = index + 1;
    MsgCenter& center = MsgCenter::Instance();
    center.Send(LoadTempMap_Msg{index});
    center.Send(CmdListUpdate_Msg{false});
}

bool CmdList::Undo()
{
    if (position_ == 0)
        return false;
    if (position_ >= 2) {
        GoTo(position_ - 2);
        return true;
    }
    position_ = 0;
    MsgCenter& center = MsgCenter::Instance();
    center.Send(LoadTempMap_Msg{kStartSnapshot});
    center.Send(CmdListUpdate_Msg{false});
    return true;
}

bool CmdList::Redo()
{
    if (position_ >= Size())
        return false;
    GoTo(position_);
    return true;
}

void CmdList::WriteAll(std::ostream& out) const
{
    for (std::int32_t i = 0; i < Size() && i < position_; ++i) {
        for (const std::string& line : commands_[static_cast<std::size_t>(i)]->ScriptLines())
            out << '.' << line << std::endl;
    }
}

void CmdList::Clear()
{
    commands_.clear();
    position_ = 0;
}

const Base_CMD& CmdList::At(std::int32_t index) const
{
    if (index < 0 || index >= Size())
        throw std::out_of_range("CmdList::At");
    return *commands_[static_cast<std::size_t>(index)];
}

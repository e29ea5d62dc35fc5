#pragma once

#include "cmd/Base_CMD.h"
#include "cmd/CommandText.h"
#include "cmd/EditEffects.h"
#include "msg/MsgCenter.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

// A command whose data is one record; `Derived` is also its message type and
// names itself with `Derived::kName` ("##fill soil", "build", ...). In a
// demonstration it is replayed by `Derived::kScriptName` with the same
// arguments (none: it has no line of its own), followed by the buildings a
// layout placed while it ran.
template <class Derived, class Record>
class RecordCommand : public Base_CMD {
public:
    using RecordType = Record;
    // The command language's word for a building placed without road planning.
    static constexpr const char* kPlaceName = "place";

    RecordCommand() = default;
    explicit RecordCommand(Record record) : data(std::move(record)) {}

    bool Execute() override
    {
        if (done_ != 0)
            return false;
        MsgCenter& center = MsgCenter::Instance();
        EditEffects effects(center);
        center.Send(static_cast<const Derived&>(*this));
        placed_ = effects.TakePlaced();
        roadsAdded_ = effects.RoadsAdded();
        done_ = 1;
        return true;
    }

    bool Write(std::ostream& out) const override
    {
        command_text::WriteWords(out, Derived::kName);
        command_text::WriteArgs(out, data);
        return true;
    }

    bool Read(std::istream& in) override
    {
        return command_text::ReadWords(in, Derived::kName) && command_text::ReadArgs(in, data);
    }

    std::vector<std::string> ScriptLines() const override
    {
        std::vector<std::string> lines;
        if (const char* words = ScriptName())
            lines.push_back(LineOf(words, data));
        for (const Build& build : placed_)
            lines.push_back(LineOf(kPlaceName, build));
        return lines;
    }

    Record data;

protected:
    virtual const char* ScriptName() const { return Derived::kScriptName; }
    // Road cells were laid for the building this command placed.
    bool RoadsAdded() const { return roadsAdded_; }

private:
    template <class Args>
    static std::string LineOf(const char* words, const Args& args)
    {
        std::ostringstream line;
        command_text::WriteWords(line, words);
        command_text::WriteArgs(line, args);
        return line.str();
    }

    std::vector<Build> placed_;
    bool roadsAdded_ = false;
};

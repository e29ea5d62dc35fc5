#pragma once

#include "cmd/Base_CMD.h"
#include "cmd/CommandText.h"
#include "msg/MsgCenter.h"

#include <utility>

// A command whose data is one record; `Derived` is also its message type and
// names itself with `Derived::kName` ("##fill soil", "build", ...).
template <class Derived, class Record>
class RecordCommand : public Base_CMD {
public:
    using RecordType = Record;

    RecordCommand() = default;
    explicit RecordCommand(Record record) : data(std::move(record)) {}

    bool Execute() override
    {
        if (done_ != 0)
            return false;
        MsgCenter::Instance().Send(static_cast<const Derived&>(*this));
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

    Record data;
};

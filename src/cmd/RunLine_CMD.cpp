#include "cmd/RunLine_CMD.h"

#include "cmd/CommandInterpreter.h"
#include "cmd/CommandText.h"

#include <algorithm>
#include <sstream>

RunLine_CMD::RunLine_CMD(std::string line) : line_(std::move(line))
{
    line_.erase(std::min(line_.find_first_of("\r\n"), line_.size()));
}

bool RunLine_CMD::Execute()
{
    std::istringstream in(line_);
    std::string firstWord;
    in >> firstWord;
    return CommandInterpreter::Interpret(firstWord, in);
}

bool RunLine_CMD::Write(std::ostream& out) const
{
    out << line_;
    return true;
}

bool RunLine_CMD::Read(std::istream& in)
{
    return command_text::ReadRestOfLine(in, line_);
}

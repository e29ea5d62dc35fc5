#pragma once

#include "cmd/Base_CMD.h"

#include <string>

// One line of the command language, as typed on the recorder's RUN line.
// Unlike the edit commands it may run again and again: the interpreter
// decides what each run does.
class RunLine_CMD final : public Base_CMD {
public:
    RunLine_CMD() = default;
    // Keeps the text up to its first line break: a recorded line must stay one line.
    explicit RunLine_CMD(std::string line);

    // Runs the line through the command interpreter; false when its command is unknown.
    bool Execute() override;
    // The line itself, without words.
    bool Write(std::ostream& out) const override;
    // The rest of the current line.
    bool Read(std::istream& in) override;

    const std::string& Line() const { return line_; }

private:
    std::string line_;
};

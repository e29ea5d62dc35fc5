#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

// An edit of the map. Executing it sends its data record, typed with the
// command's own class, to the Scene; it can write itself as one line of
// text and read itself back.
class Base_CMD {
public:
    virtual ~Base_CMD() = default;
    // False, doing nothing, when the command was executed already.
    virtual bool Execute() = 0;
    bool IsDone() const { return done_ != 0; }
    virtual bool Read(std::istream& in) = 0;
    virtual bool Write(std::ostream& out) const = 0;
    // The lines of the command language that replay this edit in a
    // demonstration, without their leading "." and line break: by default
    // the written form.
    virtual std::vector<std::string> ScriptLines() const
    {
        std::ostringstream line;
        Write(line);
        return {line.str()};
    }

protected:
    std::int32_t done_ = 0;
};

#pragma once

#include <string>
#include <vector>

// One section of a demonstration script: the rest of its header line and the
// body lines that followed the header, all as bytes of the file.
struct DemoSection {
    std::string value;
    std::vector<std::string> lines;

    friend bool operator==(const DemoSection&, const DemoSection&) = default;
};

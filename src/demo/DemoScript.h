#pragma once

#include "demo/DemoSection.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// One parsed ".qld" file. The key "" holds what stood before the first header.
class DemoScript {
public:
    std::map<std::string, DemoSection> sections;
    // Where the script's map and caption page are looked for.
    std::filesystem::path folder;

    // A missing key reads as an empty section.
    const DemoSection& Section(const std::string& key) const;

    const std::string& Title() const { return Section("title").value; }
    const std::string& Author() const { return Section("author").value; }
    const std::string& Date() const { return Section("date").value; }
    const std::vector<std::string>& Pre() const { return Section("pre").lines; }
    const std::vector<std::string>& Start() const { return Section("start").lines; }
};

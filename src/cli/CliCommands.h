#pragma once

#include <string>
#include <vector>

// One function per command of quarrinlayvane-cli; each takes the words after
// the command's name and returns the exit status.
namespace cli {

int Stats(const std::vector<std::string>& args);
int Resave(const std::vector<std::string>& args);
int Run(const std::vector<std::string>& args);
int Layout(const std::vector<std::string>& args);
int Play(const std::vector<std::string>& args);
// Only in builds with Qt; main.cpp answers for the others.
int Render(const std::vector<std::string>& args);

}  // namespace cli

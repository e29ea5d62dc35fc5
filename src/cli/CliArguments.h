#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The words after the command name: positional arguments and "--name value"
// options. Parse fails with a message for anything it does not know.
class CliArguments {
public:
    struct OptionSpec {
        std::string name;  // with its dashes, e.g. "-o" or "--road"
        bool repeatable = false;
        bool takesValue = true;  // false: a switch such as "--optimise"
    };

    // False, with `error` set, on an unknown option, a missing value, a
    // repeated single option or a positional count outside [minPositional, maxPositional].
    bool Parse(const std::vector<std::string>& words, const std::vector<OptionSpec>& options, std::size_t minPositional,
               std::size_t maxPositional, std::string& error);

    const std::vector<std::string>& Positional() const { return positional_; }
    std::optional<std::string> Value(const std::string& option) const;
    const std::vector<std::string>& Values(const std::string& option) const;
    // Whether the option (a switch or one with a value) was given.
    bool Has(const std::string& option) const { return values_.count(option) != 0; }

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::vector<std::string>> values_;
};

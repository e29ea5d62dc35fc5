#include "cli/CliArguments.h"

#include <algorithm>

bool CliArguments::Parse(const std::vector<std::string>& words, const std::vector<OptionSpec>& options,
                         std::size_t minPositional, std::size_t maxPositional, std::string& error)
{
    positional_.clear();
    values_.clear();
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word[0] != '-') {
            positional_.push_back(word);
            continue;
        }
        const auto known = std::find_if(options.begin(), options.end(), [&](const OptionSpec& o) { return o.name == word; });
        if (known == options.end()) {
            error = "unknown option " + word;
            return false;
        }
        if (known->takesValue && i + 1 >= words.size()) {
            error = word + " needs a value";
            return false;
        }
        auto& list = values_[word];
        if (!known->repeatable && !list.empty()) {
            error = word + " given twice";
            return false;
        }
        list.push_back(known->takesValue ? words[++i] : std::string());
    }
    if (positional_.size() < minPositional || positional_.size() > maxPositional) {
        error = positional_.size() < minPositional ? "missing argument" : "too many arguments";
        return false;
    }
    return true;
}

std::optional<std::string> CliArguments::Value(const std::string& option) const
{
    const auto it = values_.find(option);
    if (it == values_.end() || it->second.empty())
        return std::nullopt;
    return it->second.front();
}

const std::vector<std::string>& CliArguments::Values(const std::string& option) const
{
    static const std::vector<std::string> none;
    const auto it = values_.find(option);
    return it == values_.end() ? none : it->second;
}

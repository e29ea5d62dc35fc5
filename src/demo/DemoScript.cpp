#include "demo/DemoScript.h"

const DemoSection& DemoScript::Section(const std::string& key) const
{
    static const DemoSection empty;
    const auto found = sections.find(key);
    return found == sections.end() ? empty : found->second;
}

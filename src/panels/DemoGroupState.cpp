#include "panels/DemoGroupState.h"

#include "demo/DemoCatalogue.h"

#include <climits>

int DemoGroupState::CurrentIndex() const
{
    return catalogue_.Selected() ? catalogue_.selected : 0;
}

int DemoGroupState::Count() const
{
    // Only a catalogue beyond any real folder could exceed this.
    return catalogue_.entries.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                                         : static_cast<int>(catalogue_.entries.size());
}

std::string DemoGroupState::Counter() const
{
    return std::to_string(CurrentIndex()) + " / " + std::to_string(Count());
}

bool DemoGroupState::CanGoBack() const
{
    return CurrentIndex() > 1;
}

bool DemoGroupState::CanGoForward() const
{
    return CurrentIndex() < Count();
}

bool DemoGroupState::CanStart() const
{
    return catalogue_.Selected() != nullptr;
}

UiText DemoGroupState::Label() const
{
    const DemoScript* script = catalogue_.Selected();
    if (!script)
        return QL_TEXT("DemoGroupState", "无");
    return QL_TEXT("DemoGroupState", " 名称: %1\r\n 作者: %2 (%3)")
        .Arg(script->Title())
        .Arg(script->Author())
        .Arg(script->Date());
}

void DemoGroupState::Previous()
{
    if (CanGoBack())
        catalogue_.selected = CurrentIndex() - 1;
}

void DemoGroupState::Next()
{
    if (CanGoForward())
        catalogue_.selected = CurrentIndex() + 1;
}

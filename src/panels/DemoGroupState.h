#pragma once

#include "platform/UiText.h"

#include <string>

class DemoCatalogue;

// The tools panel's demonstration group, read from the scene's catalogue:
// the counter, which of "<---", "--->" and "开始演示" may be pressed and the
// label of the current script. Moving changes the catalogue's selection.
class DemoGroupState {
public:
    explicit DemoGroupState(DemoCatalogue& catalogue) : catalogue_(catalogue) {}

    // "%d / %d": the current index and the number of scripts.
    std::string Counter() const;
    bool CanGoBack() const;
    bool CanGoForward() const;
    bool CanStart() const;
    // GB18030: name, author and date of the current script, or "无".
    UiText Label() const;

    void Previous();
    void Next();

private:
    // The selection when it names a script, else 0: a rescan that found
    // nothing keeps an old index that no longer means anything.
    int CurrentIndex() const;
    int Count() const;

    DemoCatalogue& catalogue_;
};

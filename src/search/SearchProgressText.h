#pragma once

#include "platform/UiText.h"

#include <cstdint>

// What the search progress dialog shows and remembers: whether the user
// stopped or cancelled (each takes effect once), the growing dots, and the
// line that tells how far the worker has come.
// The dialog only wires buttons, timer and window text to it.
class SearchProgressText {
public:
    static constexpr int kMaxDots = 10;

    SearchProgressText();

    // Each returns false when it had been done before and so changed nothing.
    // The first call raises the matching flag of SearchControl.
    bool Stop();
    bool Cancel();
    // A close request stops first, then cancels, then does nothing.
    bool Close();

    // One more dot (back to one after ten); returns the new text.
    const UiText& Advance();

    bool Stopping() const { return stopping_; }
    bool Cancelling() const { return cancelling_; }
    int Dots() const { return dots_; }
    const UiText& Text() const { return text_; }

    // E.g. "已完成 3 / 7 个区域, 保留 12345 个状态".
    static UiText CountsText(int componentsDone, int componentsTotal, std::int64_t statesKept);
    // The optimised mode's best layout so far and its bound (negative
    // figures: none yet).
    static UiText OptimisedCountsText(int uncovered, int bound);
    // How an optimised run ended, telling whether it is proven best.
    static UiText OptimisedResultText(int uncovered, int bound);
    // The counts line of the mode that runs, from SearchControl as the worker
    // has left it now.
    static UiText CurrentCountsText();

private:
    bool stopping_ = false;
    bool cancelling_ = false;
    int dots_ = 1;
    UiText Line() const;

    UiText text_;
};

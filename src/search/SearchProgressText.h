#pragma once

#include <cstdint>
#include <string>

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
    const std::string& Advance();

    bool Stopping() const { return stopping_; }
    bool Cancelling() const { return cancelling_; }
    int Dots() const { return dots_; }
    // GB18030, like every text of the model.
    const std::string& Text() const { return text_; }

    // UTF-8.
    static const char* InitialText();

    // GB18030, e.g. "已完成 3 / 7 个区域, 保留 12345 个状态".
    static std::string CountsText(int componentsDone, int componentsTotal, std::int64_t statesKept);
    // GB18030: the optimised mode's best layout so far and its bound
    // (negative figures: none yet).
    static std::string OptimisedCountsText(int uncovered, int bound);
    // GB18030: how an optimised run ended, telling whether it is proven best.
    static std::string OptimisedResultText(int uncovered, int bound);
    // The counts line of the mode that runs, from SearchControl as the worker
    // has left it now.
    static std::string CurrentCountsText();

private:
    bool stopping_ = false;
    bool cancelling_ = false;
    int dots_ = 1;
    std::string text_;
};

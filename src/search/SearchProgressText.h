#pragma once

#include <string>

// What the search progress dialog shows and remembers: whether the user
// stopped or cancelled (each takes effect once) and the growing dots.
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

private:
    bool stopping_ = false;
    bool cancelling_ = false;
    int dots_ = 1;
    std::string text_;
};

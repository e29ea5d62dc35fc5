#pragma once

#include <chrono>
#include <optional>

class MsgCenter;
class SearchControl;
struct BuildSearchFinished_Msg;
struct SearchInfoDoModle_Msg;

// Plays the progress dialog for the command-line tool: while a layout runs it
// keeps the delayed-call queue ticking until the worker's end arrives,
// presses "stop" after the given time, and answers OK.
class CliSearchWaiter {
public:
    CliSearchWaiter(MsgCenter& center, SearchControl& control, std::optional<std::chrono::milliseconds> stopAfter);
    ~CliSearchWaiter();
    CliSearchWaiter(const CliSearchWaiter&) = delete;
    CliSearchWaiter& operator=(const CliSearchWaiter&) = delete;

    // How long the last run took, from its start to its end's arrival.
    std::chrono::milliseconds LastRunTime() const { return lastRun_; }

private:
    void OnRun(const SearchInfoDoModle_Msg* msg);
    void OnFinished(const BuildSearchFinished_Msg*);

    MsgCenter& center_;
    SearchControl& control_;
    std::optional<std::chrono::milliseconds> stopAfter_;
    bool finished_ = false;
    std::chrono::milliseconds lastRun_{0};
};

#pragma once

#include "search/LayoutRunner.h"
#include "search/optimised/OptimiseSettings.h"

#include <cstdint>
#include <optional>
#include <thread>

class MsgCenter;
class SearchControl;

// Starts layout runs for the Scene: copies the selected region into the
// working region, fixes the state limit from the memory budget and runs the
// search on a worker thread, whose end reaches the UI thread as
// BuildSearchFinished_Msg through the delayed-call queue.
class SearchDriver final : public LayoutRunner {
public:
    // Bytes the state limit reserves for each kept state.
    static constexpr std::int64_t kBytesPerState = 1700;

    SearchDriver(MsgCenter& center, SearchControl& control);
    // Cancels a run still going and waits for its worker.
    ~SearchDriver() override;
    SearchDriver(const SearchDriver&) = delete;
    SearchDriver& operator=(const SearchDriver&) = delete;

    void Start(const RegionBits& selection, SearchState& working) override;

    // Settings of this driver's runs that differ from the user's (the
    // command-line tool's options); unset values come from AppConfig.
    void OverrideBackLines(std::optional<int> lines) { backLines_ = lines; }
    void OverrideBudgetMb(std::optional<int> megabytes) { budgetMb_ = megabytes; }
    // The mode of this driver's runs, whatever the user chose: the beam
    // search (nothing) or the optimised mode with the given settings.
    void OverrideMode(std::optional<OptimiseSettings> optimised)
    {
        modeChosen_ = true;
        optimise_ = optimised;
    }

    static std::int64_t StateLimitForBudget(std::int64_t budgetMb) { return budgetMb * 1048576 / kBytesPerState; }

    // Waits for the worker of the last run, if any.
    void Join();

private:
    MsgCenter& center_;
    SearchControl& control_;
    std::thread worker_;
    std::optional<int> backLines_;
    std::optional<int> budgetMb_;
    bool modeChosen_ = false;
    std::optional<OptimiseSettings> optimise_;
};

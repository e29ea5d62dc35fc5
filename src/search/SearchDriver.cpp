#include "search/SearchDriver.h"

#include "config/AppConfig.h"
#include "msg/SearchFinishedHandOver.h"
#include "search/LayoutSearch.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/optimised/OptimisedLayout.h"

#include <new>

SearchDriver::SearchDriver(MsgCenter& center, SearchControl& control) : center_(center), control_(control) {}

SearchDriver::~SearchDriver()
{
    if (worker_.joinable()) {
        control_.cancel = true;
        worker_.join();
    }
}

void SearchDriver::Join()
{
    if (worker_.joinable())
        worker_.join();
}

void SearchDriver::Start(const RegionBits& selection, SearchState& working)
{
    // The previous run ended before its dialog closed; its worker is only
    // finishing the hand-back.
    Join();
    working = SearchState::FromSelection(selection);

    AppConfig& config = AppConfig::Instance();
    config.RefreshMemory();
    const int budget = budgetMb_.value_or(config.memoryBudget);
    const int backLines = backLines_.value_or(config.maxBackLine);

    std::optional<OptimiseSettings> optimise = optimise_;
    if (!modeChosen_ && config.optimisedLayout) {
        optimise.emplace();
        optimise->timeLimit = std::chrono::seconds(config.layoutSeconds);
    }

    control_.ResetForRun();
    control_.stateLimit = StateLimitForBudget(budget);
    control_.optimising = optimise.has_value();

    SearchControl& control = control_;
    MsgCenter& center = center_;
    worker_ = std::thread([&working, &control, &center, backLines, optimise] {
        try {
            if (optimise)
                OptimisedLayout::Run(working, control, *optimise);
            else
                LayoutSearch::Run(working, control, backLines);
        } catch (const std::bad_alloc&) {
            // Not even the greedy end found memory: what is placed so far is handed back.
            control.outOfMemory = true;
        }
        PostBuildSearchFinished(center);
    });
}

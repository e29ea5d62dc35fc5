#include "search/SearchProgressText.h"

#include "platform/TextCodec.h"
#include "search/SearchControl.h"

#include <algorithm>
#include <cstdio>

SearchProgressText::SearchProgressText() : text_(platform::Utf8ToGb18030(InitialText())) {}

const char* SearchProgressText::InitialText()
{
    return "正在进行搜索,请稍候.";
}

bool SearchProgressText::Stop()
{
    if (stopping_)
        return false;
    dots_ = 1;
    stopping_ = true;
    SearchControl::Instance().stop = true;
    Advance();
    return true;
}

bool SearchProgressText::Cancel()
{
    if (cancelling_)
        return false;
    dots_ = 1;
    cancelling_ = true;
    SearchControl::Instance().cancel = true;
    Advance();
    return true;
}

bool SearchProgressText::Close()
{
    if (!stopping_)
        return Stop();
    if (!cancelling_)
        return Cancel();
    return false;
}

const std::string& SearchProgressText::Advance()
{
    std::string text = "正在进行搜索,请稍候";
    if (cancelling_)
        text = "正在清理数据,请稍候";
    else if (stopping_)
        text = "正在整理已搜索的数据,请稍候";
    if (++dots_ > kMaxDots)
        dots_ = 1;
    text.append(static_cast<std::size_t>(dots_), '.');
    text_ = platform::Utf8ToGb18030(text);
    return text_;
}

std::string SearchProgressText::CountsText(int componentsDone, int componentsTotal, std::int64_t statesKept)
{
    char text[128];
    std::snprintf(text, sizeof text, "已完成 %d / %d 个区域, 保留 %lld 个状态", componentsDone, componentsTotal,
                  static_cast<long long>(statesKept));
    return platform::Utf8ToGb18030(text);
}

std::string SearchProgressText::OptimisedCountsText(int uncovered, int bound)
{
    if (uncovered < 0)
        return platform::Utf8ToGb18030("正在生成初始布局");
    char text[128];
    std::snprintf(text, sizeof text, "当前布局未覆盖 %d 格, 下界 %d 格", uncovered, std::max(bound, 0));
    return platform::Utf8ToGb18030(text);
}

std::string SearchProgressText::OptimisedResultText(int uncovered, int bound)
{
    char text[160];
    if (uncovered == bound)
        std::snprintf(text, sizeof text, "布局完成: 未覆盖 %d 格, 已证明最优.", uncovered);
    else
        std::snprintf(text, sizeof text, "布局完成: 未覆盖 %d 格, 最优布局至少未覆盖 %d 格.", uncovered, bound);
    return platform::Utf8ToGb18030(text);
}

std::string SearchProgressText::CurrentCountsText()
{
    const SearchControl& control = SearchControl::Instance();
    if (control.optimising)
        return OptimisedCountsText(control.optimisedUncovered, control.optimisedBound);
    return CountsText(control.componentsDone, control.componentsTotal, control.statesKept);
}

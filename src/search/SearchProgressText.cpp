#include "search/SearchProgressText.h"

#include "search/SearchControl.h"

#include <algorithm>
#include <string>
#include <utility>

SearchProgressText::SearchProgressText() : text_(Line()) {}

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

const UiText& SearchProgressText::Advance()
{
    if (++dots_ > kMaxDots)
        dots_ = 1;
    text_ = Line();
    return text_;
}

UiText SearchProgressText::Line() const
{
    UiText line = cancelling_  ? QL_TEXT("SearchProgressText", "正在清理数据,请稍候%1")
                  : stopping_ ? QL_TEXT("SearchProgressText", "正在整理已搜索的数据,请稍候%1")
                              : QL_TEXT("SearchProgressText", "正在进行搜索,请稍候%1");
    return std::move(line).Arg(std::string(static_cast<std::size_t>(dots_), '.'));
}

UiText SearchProgressText::CountsText(int componentsDone, int componentsTotal, std::int64_t statesKept)
{
    return QL_TEXT("SearchProgressText", "已完成 %1 / %2 个区域, 保留 %3 个状态")
        .Arg(std::to_string(componentsDone))
        .Arg(std::to_string(componentsTotal))
        .Arg(std::to_string(statesKept));
}

UiText SearchProgressText::OptimisedCountsText(int uncovered, int bound)
{
    if (uncovered < 0)
        return QL_TEXT("SearchProgressText", "正在生成初始布局");
    return QL_TEXT("SearchProgressText", "当前布局未覆盖 %1 格, 下界 %2 格")
        .Arg(std::to_string(uncovered))
        .Arg(std::to_string(std::max(bound, 0)));
}

UiText SearchProgressText::OptimisedResultText(int uncovered, int bound)
{
    if (uncovered == bound)
        return QL_TEXT("SearchProgressText", "布局完成: 未覆盖 %1 格, 已证明最优.").Arg(std::to_string(uncovered));
    return QL_TEXT("SearchProgressText", "布局完成: 未覆盖 %1 格, 最优布局至少未覆盖 %2 格.")
        .Arg(std::to_string(uncovered))
        .Arg(std::to_string(bound));
}

UiText SearchProgressText::CurrentCountsText()
{
    const SearchControl& control = SearchControl::Instance();
    if (control.optimising)
        return OptimisedCountsText(control.optimisedUncovered, control.optimisedBound);
    return CountsText(control.componentsDone, control.componentsTotal, control.statesKept);
}

#include "search/optimised/Totalizer.h"

#include "search/optimised/ClauseSink.h"

#include <algorithm>

Totalizer::Totalizer(ClauseSink& sink, const std::vector<int>& inputs, int cap, Use use) : cap_(cap), use_(use)
{
    if (!inputs.empty() && cap > 0)
        outputs_ = Merge(sink, inputs, 0, inputs.size());
}

int Totalizer::AtLeast(int k) const
{
    if (k < 1 || k > static_cast<int>(outputs_.size()))
        return 0;
    return outputs_[static_cast<std::size_t>(k - 1)];
}

std::vector<int> Totalizer::Merge(ClauseSink& sink, const std::vector<int>& inputs, std::size_t from, std::size_t to)
{
    if (to - from == 1)
        return {inputs[from]};
    const std::size_t middle = from + (to - from) / 2;
    const std::vector<int> a = Merge(sink, inputs, from, middle);
    const std::vector<int> b = Merge(sink, inputs, middle, to);
    const int size = std::min<int>(cap_, static_cast<int>(a.size() + b.size()));
    std::vector<int> out(static_cast<std::size_t>(size));
    for (int& literal : out)
        literal = sink.NewVariable();
    // i true in a and j true in b make at least i + j; literal 0 stands for "true".
    const auto lit = [](const std::vector<int>& v, int k) { return k == 0 ? 0 : v[static_cast<std::size_t>(k - 1)]; };
    for (int i = 0; i <= static_cast<int>(a.size()); ++i) {
        for (int j = 0; j <= static_cast<int>(b.size()); ++j) {
            const int s = i + j;
            if (use_ == Use::LimitAtMost && s >= 1 && s <= size) {
                if (i > 0)
                    sink.Literal(-lit(a, i));
                if (j > 0)
                    sink.Literal(-lit(b, j));
                sink.Literal(lit(out, s));
                sink.End();
            }
            // Fewer than i + 1 in a and fewer than j + 1 in b make fewer than s + 1.
            if (use_ == Use::RequireAtLeast && s + 1 <= size) {
                if (i < static_cast<int>(a.size()))
                    sink.Literal(lit(a, i + 1));
                if (j < static_cast<int>(b.size()))
                    sink.Literal(lit(b, j + 1));
                sink.Literal(-lit(out, s + 1));
                sink.End();
            }
        }
    }
    return out;
}

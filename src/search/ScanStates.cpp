#include "search/ScanStates.h"

#include "search/DeadCell.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdlib>
#include <utility>

namespace {

// Whether the centre of a 3 × 3 neighbourhood (bit (dy + 1) * 3 + (dx + 1))
// is dead, for all 512 neighbourhoods: the same test as IsDeadCell, looked up.
const std::array<bool, 512> kDeadCentre = [] {
    std::array<bool, 512> table{};
    for (unsigned mask = 0; mask < 512; ++mask) {
        table[mask] = IsDeadCell(0, 0, [mask](int dx, int dy) {
            return ((mask >> ((dy + 1) * 3 + (dx + 1))) & 1u) != 0;
        });
    }
    return table;
}();

}  // namespace

ScanStates::ScanStates(const ScanBox& box, RecordChain& records, int originX, int originY)
    : box_(box), records_(records), originX_(originX), originY_(originY),
      windowWords_(static_cast<std::size_t>(kWindowLines) * box.Words())
{
}

ScanStates::StateId ScanStates::Allocate()
{
    if (freeList_ == kNone) {
        const std::size_t count = std::size_t{1} << kChunkBits;
        headers_.push_back(std::make_unique<Header[]>(count));
        windows_.push_back(std::make_unique<std::uint64_t[]>(count * windowWords_));
        const StateId first = capacity_;
        capacity_ += static_cast<StateId>(count);
        for (StateId id = capacity_; id-- > first;) {
            At(id).next = freeList_;
            freeList_ = id;
        }
    }
    const StateId id = freeList_;
    freeList_ = At(id).next;
    ++live_;
    return id;
}

void ScanStates::Free(StateId id)
{
    Header& h = At(id);
    records_.Release(h.records);
    h = Header{};
    h.next = freeList_;
    freeList_ = id;
    --live_;
}

ScanStates::StateId ScanStates::Initial()
{
    const StateId id = Allocate();
    Header& h = At(id);
    h = Header{};
    h.base = -kLinesBehind;
    std::uint64_t* window = Window(id);
    const int words = box_.Words();
    for (int i = 0; i < kWindowLines; ++i)
        std::copy_n(box_.OriginalLine(h.base + i), words, window + static_cast<std::size_t>(i) * words);
    return id;
}

ScanStates::StateId ScanStates::Copy(StateId from)
{
    const StateId id = Allocate();
    Header& h = At(id);
    h = At(from);
    h.previous = h.next = kNone;
    records_.Hold(h.records);
    std::copy_n(Window(from), windowWords_, Window(id));
    return id;
}

std::uint64_t* ScanStates::WindowLine(StateId id, int line)
{
    const int offset = line - At(id).base;
    assert(offset >= 0 && offset < kWindowLines);
    return Window(id) + static_cast<std::size_t>(offset) * box_.Words();
}

unsigned ScanStates::Neighbourhood(StateId id, int line, int pos) const
{
    const int words = box_.Words();
    unsigned mask = 0;
    for (int d = -1; d <= 1; ++d) {
        const int l = line + d;
        if (l >= 0 && l < box_.Lines())
            mask |= scan_bits::Three(ReadLine(id, l), words, pos) << ((d + 1) * 3);
    }
    return mask;
}

bool ScanStates::Complete(StateId id) const
{
    const Header& h = At(id);
    return h.cursorY >= (box_.RowScan() ? box_.Lines() : box_.LineLength()) ||
           h.cursorX >= (box_.RowScan() ? box_.LineLength() : box_.Lines());
}

bool ScanStates::Fits(StateId id, int w, int h) const
{
    const Header& s = At(id);
    const int line = box_.LineOf(s.cursorX, s.cursorY);
    const int pos = box_.PosOf(s.cursorX, s.cursorY);
    const int alongLine = box_.RowScan() ? w : h;
    const int acrossLines = box_.RowScan() ? h : w;
    if (pos + alongLine > box_.LineLength() || line + acrossLines > box_.Lines())
        return false;
    const std::uint64_t shape = (std::uint64_t{1} << alongLine) - 1;
    for (int i = 0; i < acrossLines; ++i) {
        if ((scan_bits::Span(ReadLine(id, line + i), box_.Words(), pos) & shape) != shape)
            return false;
    }
    return true;
}

bool ScanStates::DeadAround(StateId id, int line, int pos, int alongLine, int acrossLines, AroundMasks& dead) const
{
    // Word-wide form of the dead-cell test over the lines around the shape:
    // bit k stands for position start + k. A cell is alive when one of its
    // four 2 × 2 squares has the other three cells free.
    const int start = pos - 2;
    const int words = box_.Words();
    auto span = [&](int l) -> std::uint64_t {
        return l < 0 || l >= box_.Lines() ? 0 : scan_bits::Span(ReadLine(id, l), words, start);
    };
    const std::uint64_t ends = (std::uint64_t{1} << 1) | (std::uint64_t{1} << (alongLine + 2));
    const std::uint64_t beside = ((std::uint64_t{1} << alongLine) - 1) << 2;
    std::uint64_t above = span(line - 2);
    std::uint64_t centre = span(line - 1);
    std::uint64_t any = 0;
    for (int l = line - 1; l <= line + acrossLines; ++l) {
        const std::uint64_t below = span(l + 1);
        const std::uint64_t alive = ((above << 1) & above & (centre << 1)) | (above & (above >> 1) & (centre >> 1)) |
                                    ((below << 1) & below & (centre << 1)) | (below & (below >> 1) & (centre >> 1));
        const bool outerLine = l == line - 1 || l == line + acrossLines;
        dead[static_cast<std::size_t>(l - line + 1)] = centre & ~alive & (outerLine ? beside : ends);
        any |= dead[static_cast<std::size_t>(l - line + 1)];
        above = centre;
        centre = below;
    }
    return any != 0;
}

void ScanStates::GiveUpDeadAround(StateId id, int cx, int cy, int w, int h, const AroundMasks& dead)
{
    // Taking a cell can only kill its neighbours, never revive one: a cell
    // dead at the start dies, and a live one needs a new look only when a
    // neighbour was taken before it.
    const int firstLine = box_.LineOf(cx, cy) - 1;
    const int start = box_.PosOf(cx, cy) - 2;
    int takenCount = 0;
    std::array<std::pair<int, int>, 32> taken;
    auto visit = [&](int x, int y) {
        const int line = box_.LineOf(x, y);
        const int pos = box_.PosOf(x, y);
        if (line < 0 || line >= box_.Lines() || pos < 0 || pos >= box_.LineLength())
            return;
        bool dies = (dead[static_cast<std::size_t>(line - firstLine)] >> (pos - start)) & 1u;
        if (!dies && takenCount > 0 && scan_bits::Test(ReadLine(id, line), pos)) {
            for (int i = 0; i < takenCount; ++i) {
                if (std::abs(taken[i].first - line) <= 1 && std::abs(taken[i].second - pos) <= 1) {
                    dies = kDeadCentre[Neighbourhood(id, line, pos)];
                    break;
                }
            }
        }
        if (!dies)
            return;
        scan_bits::Clear(WindowLine(id, line), pos);
        ++At(id).waste;
        taken[static_cast<std::size_t>(takenCount++)] = {line, pos};
    };
    for (int x = cx; x < cx + w; ++x) {
        visit(x, cy - 1);
        visit(x, cy + h);
    }
    for (int y = cy; y < cy + h; ++y) {
        visit(cx - 1, y);
        visit(cx + w, y);
    }
}

void ScanStates::Place(StateId id, int w, int h)
{
    Header& s = At(id);
    const int cx = s.cursorX;
    const int cy = s.cursorY;
    const int line = box_.LineOf(cx, cy);
    const int pos = box_.PosOf(cx, cy);
    const int alongLine = box_.RowScan() ? w : h;
    const int acrossLines = box_.RowScan() ? h : w;
    for (int i = 0; i < acrossLines; ++i)
        scan_bits::ClearRun(WindowLine(id, line + i), pos, alongLine);
    s.records = records_.Push(s.records, LayoutRecord{static_cast<std::uint8_t>(originX_ + cx),
                                                      static_cast<std::uint8_t>(originY_ + cy),
                                                      static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(h)});
    // Cells seldom die; when none around the shape is dead there is nothing
    // to walk. Otherwise the cells around it are taken one by one, above and
    // below each column first, then left and right of each row: a cell given
    // up counts as taken for the cells after it.
    AroundMasks dead;
    if (DeadAround(id, line, pos, alongLine, acrossLines, dead))
        GiveUpDeadAround(id, cx, cy, w, h, dead);
}

void ScanStates::Advance(StateId id)
{
    Header& s = At(id);
    const int startLine = box_.LineOf(s.cursorX, s.cursorY);
    int line = startLine;
    int pos = box_.PosOf(s.cursorX, s.cursorY) + 1;
    while (line < box_.Lines()) {
        const int found = scan_bits::NextSet(ReadLine(id, line), pos, box_.LineLength());
        if (found >= 0) {
            pos = found;
            break;
        }
        ++line;
        pos = 0;
    }
    if (line >= box_.Lines())
        pos = 0;
    s.cursorX = static_cast<std::uint8_t>(box_.RowScan() ? pos : line);
    s.cursorY = static_cast<std::uint8_t>(box_.RowScan() ? line : pos);
    if (line != startLine && line < box_.Lines())
        MoveWindow(id, line - kLinesBehind);
}

void ScanStates::MoveWindow(StateId id, int newBase)
{
    Header& s = At(id);
    const int shift = newBase - s.base;
    const int words = box_.Words();
    std::uint64_t* window = Window(id);
    for (int i = 0; i < kWindowLines; ++i) {
        const int from = i + shift;
        const std::uint64_t* source =
            from < kWindowLines ? window + static_cast<std::size_t>(from) * words : box_.OriginalLine(newBase + i);
        std::copy_n(source, words, window + static_cast<std::size_t>(i) * words);
    }
    s.base = static_cast<std::int16_t>(newBase);
}

#include "search/ScanStates.h"

#include "search/DeadCell.h"

#include <algorithm>
#include <cassert>

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

const std::uint64_t* ScanStates::ReadLine(StateId id, int line) const
{
    const int offset = line - At(id).base;
    assert(offset >= 0);
    if (offset >= kWindowLines || line >= box_.Lines())
        return box_.OriginalLine(line);
    return Window(id) + static_cast<std::size_t>(offset) * box_.Words();
}

std::uint64_t* ScanStates::WindowLine(StateId id, int line)
{
    const int offset = line - At(id).base;
    assert(offset >= 0 && offset < kWindowLines);
    return Window(id) + static_cast<std::size_t>(offset) * box_.Words();
}

bool ScanStates::IsFree(StateId id, int x, int y) const
{
    const int line = box_.LineOf(x, y);
    const int pos = box_.PosOf(x, y);
    if (line < 0 || line >= box_.Lines() || pos < 0 || pos >= box_.LineLength())
        return false;
    return scan_bits::Test(ReadLine(id, line), pos);
}

void ScanStates::ClearCell(StateId id, int x, int y)
{
    scan_bits::Clear(WindowLine(id, box_.LineOf(x, y)), box_.PosOf(x, y));
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
    for (int i = 0; i < acrossLines; ++i) {
        const std::uint64_t* bits = ReadLine(id, line + i);
        for (int k = 0; k < alongLine; ++k) {
            if (!scan_bits::Test(bits, pos + k))
                return false;
        }
    }
    return true;
}

void ScanStates::GiveUpIfDead(StateId id, int x, int y)
{
    if (!IsFree(id, x, y))
        return;
    if (!IsDeadCell(x, y, [&](int cx, int cy) { return IsFree(id, cx, cy); }))
        return;
    ClearCell(id, x, y);
    ++At(id).waste;
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
    for (int i = 0; i < acrossLines; ++i) {
        std::uint64_t* bits = WindowLine(id, line + i);
        for (int k = 0; k < alongLine; ++k)
            scan_bits::Clear(bits, pos + k);
    }
    s.records = records_.Push(s.records, LayoutRecord{static_cast<std::uint8_t>(originX_ + cx),
                                                      static_cast<std::uint8_t>(originY_ + cy),
                                                      static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(h)});
    // The cells around the shape, above and below each column first, then
    // left and right of each row; this order decides which cells die first.
    for (int x = cx; x < cx + w; ++x) {
        GiveUpIfDead(id, x, cy - 1);
        GiveUpIfDead(id, x, cy + h);
    }
    for (int y = cy; y < cy + h; ++y) {
        GiveUpIfDead(id, cx - 1, y);
        GiveUpIfDead(id, cx + w, y);
    }
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

#include "search/ScanStates.h"

#include "search/ScanShape.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

ScanStates::ScanStates(const ScanBox& box, RecordChain& records, int originX, int originY)
    : box_(box), records_(records), originX_(originX), originY_(originY),
      oneWord_(box.Words() == 1), packed_(box.LineLength() <= OneWordWindow::kPackedLength),
      windowWords_(packed_ ? OneWordWindow::kPackedWords : static_cast<std::size_t>(kWindowLines) * box.Words()),
      slotBytes_((sizeof(Header) + windowWords_ * sizeof(std::uint64_t) + kSlotRound - 1) / kSlotRound * kSlotRound)
{
    static_assert(sizeof(Header) % alignof(std::uint64_t) == 0);
    static_assert(sizeof(Header) + OneWordWindow::kPackedWords * sizeof(std::uint64_t) == kSlotAlign);
    static_assert(OneWordWindow::kLines == kWindowLines);
    static_assert(sizeof(Header) % kSlotRound == 0);
}

void ScanStates::AddChunk()
{
    const std::size_t count = std::size_t{1} << kChunkBits;
    std::byte* chunk = static_cast<std::byte*>(::operator new[](count * slotBytes_, std::align_val_t{kSlotAlign}));
    chunks_.emplace_back(chunk);
    for (std::size_t i = 0; i < count; ++i)
        new (chunk + i * slotBytes_) Header{};
    // Only an empty ring grows: the new slots are all it holds.
    assert(freeCount_ == 0);
    freeRing_.resize(chunks_.size() << kChunkBits);
    const StateId first = static_cast<StateId>((chunks_.size() - 1) << kChunkBits);
    for (std::size_t i = 0; i < count; ++i)
        freeRing_[i] = first + static_cast<StateId>(i);
    freeHead_ = 0;
    freeCount_ = count;
    holds_.resize(chunks_.size() << kChunkBits, 0);
}

ScanStates::StateId ScanStates::Allocate()
{
    if (freeCount_ == 0)
        AddChunk();
    const StateId id = freeRing_[freeHead_];
    if (++freeHead_ == freeRing_.size())
        freeHead_ = 0;
    --freeCount_;
    holds_[id] = 1;
    ++liveCount_;
#if defined(__GNUC__)
    // The slot handed out a few allocations from now was freed long ago.
    if (freeCount_ > kAllocateAhead) {
        std::size_t soon = freeHead_ + kAllocateAhead;
        soon -= soon >= freeRing_.size() ? freeRing_.size() : 0;
        __builtin_prefetch(Slot(freeRing_[soon]), 1);
        __builtin_prefetch(&holds_[freeRing_[soon]], 1);
    }
#endif
    return id;
}

void ScanStates::Free(StateId id)
{
    std::size_t at = freeHead_ + freeCount_;
    at -= at >= freeRing_.size() ? freeRing_.size() : 0;
    freeRing_[at] = id;
    ++freeCount_;
    --liveCount_;
}

ScanStates::StateId ScanStates::Initial()
{
    const StateId id = Allocate();
    Header& h = At(id);
    h = Header{};
    h.base = -kLinesBehind;
    std::uint64_t* window = Window(id);
    const int words = box_.Words();
    if (oneWord_) {
        OneWordWindow lines;
        for (int i = 0; i < kWindowLines; ++i)
            lines.lines[i] = box_.OriginalLine(h.base + i)[0];
        lines.Store(window, packed_);
        return id;
    }
    for (int i = 0; i < kWindowLines; ++i)
        std::copy_n(box_.OriginalLine(h.base + i), words, window + static_cast<std::size_t>(i) * words);
    return id;
}

bool ScanStates::Complete(StateId id) const
{
    const Header& h = At(id);
    return h.cursorY >= (box_.RowScan() ? box_.Lines() : box_.LineLength()) ||
           h.cursorX >= (box_.RowScan() ? box_.LineLength() : box_.Lines());
}

CursorPatch ScanStates::Patch(StateId id) const
{
    static_assert(PatchLines::kLines == kWindowLines + 1);
    const Header& s = At(id);
    const std::uint64_t* window = Window(id);
    if (oneWord_) {
        OneWordWindow lines;
        lines.Load(window, packed_);
        return PatchOf(lines, s);
    }
    // As PatchOf, a word at a time.
    const int firstLine = box_.LineOf(s.cursorX, s.cursorY) - PatchLines::kCursorLine;
    assert(firstLine == s.base);
    const int start = box_.PosOf(s.cursorX, s.cursorY) - PatchLines::kCursorBit;
    const int words = box_.Words();
    const std::uint64_t* beyond = box_.OriginalLine(firstLine + kWindowLines);
    CursorPatch patch;
    for (int j = 0; j < PatchLines::kLines; ++j) {
        const std::uint64_t* line = j < kWindowLines ? window + static_cast<std::size_t>(j) * words : beyond;
        patch.free.Set(j, static_cast<std::uint32_t>(scan_bits::Span(line, words, start)));
    }
    return patch;
}

void ScanStates::Place(StateId id, const ScanShape& shape, CursorPatch patch)
{
    const CursorPatch::Placed placed = patch.Place(shape);
    Take(id, id, shape, placed.taken, At(id).waste + placed.givenUp);
}

ScanStates::StateId ScanStates::TakeChild(StateId parent, const ScanShape& shape, const PatchLines& taken, int waste,
                                          CursorPatch& patch)
{
    StateId child = parent;
    if (!SoleHolder(parent)) {
        child = Allocate();
        --holds_[parent];
    }
    Take(parent, child, shape, taken, waste, &patch);
    return child;
}

LayoutRecord ScanStates::RecordAt(const Header& s, const ScanShape& shape) const
{
    return LayoutRecord{static_cast<std::uint8_t>(originX_ + s.cursorX),
                        static_cast<std::uint8_t>(originY_ + s.cursorY), static_cast<std::uint8_t>(shape.w),
                        static_cast<std::uint8_t>(shape.h)};
}

void ScanStates::Take(StateId from, StateId to, const ScanShape& shape, const PatchLines& taken, int waste,
                      CursorPatch* patch)
{
    if (oneWord_) {
        TakeOneWord(from, to, shape, taken, waste, patch);
        return;
    }
    if (to != from)
        std::memcpy(Slot(to), Slot(from), slotBytes_);
    Header& s = At(to);
    s.waste = waste;
    s.score += shape.score;
    // The patch's lines are the window's lines.
    const int start = box_.PosOf(s.cursorX, s.cursorY) - PatchLines::kCursorBit;
    const int words = box_.Words();
    std::uint64_t* window = Window(to);
    for (int j = 0; j < kWindowLines; ++j) {
        if (const std::uint32_t line = taken.Line(j); line != 0)
            scan_bits::ClearSpan(window + static_cast<std::size_t>(j) * words, words, start, line);
    }
    s.records = records_.Push(s.records, RecordAt(s, shape));
    Advance(to);
    if (patch != nullptr && !Complete(to))
        *patch = Patch(to);
}

void ScanStates::TakeOneWord(StateId from, StateId to, const ScanShape& shape, const PatchLines& taken, int waste,
                             CursorPatch* patch)
{
    OneWordWindow window;
    window.Load(Window(from), packed_);
    Header s = At(from);
    s.waste = waste;
    s.score += shape.score;
    window.Clear(box_.PosOf(s.cursorX, s.cursorY) - PatchLines::kCursorBit, taken);
    s.records = records_.Push(s.records, RecordAt(s, shape));
    AdvanceOneWord(s, window);
    window.Store(Window(to), packed_);
    At(to) = s;
    if (patch != nullptr && box_.LineOf(s.cursorX, s.cursorY) < box_.Lines())
        *patch = PatchOf(window, s);
}

CursorPatch ScanStates::PatchOf(const OneWordWindow& window, const Header& s) const
{
    // The window starts two lines before the cursor's line, which is where
    // the patch starts; lines outside the box are all clear in it.
    const int firstLine = box_.LineOf(s.cursorX, s.cursorY) - PatchLines::kCursorLine;
    assert(firstLine == s.base);
    CursorPatch patch;
    patch.free = window.Gather(box_.PosOf(s.cursorX, s.cursorY) - PatchLines::kCursorBit,
                               box_.OriginalLine(firstLine + kWindowLines)[0]);
    return patch;
}

void ScanStates::GiveUp(StateId id)
{
    ++At(id).waste;
    Advance(id);
}

void ScanStates::AdvanceOneWord(Header& s, OneWordWindow& window) const
{
    const int startLine = box_.LineOf(s.cursorX, s.cursorY);
    const int from = box_.PosOf(s.cursorX, s.cursorY) + 1;
    // The cursor's line is the window's third; the rest of it is one mask.
    const std::uint64_t ahead = from < 64 ? window.lines[kLinesBehind] & (~std::uint64_t{0} << from) : 0;
    int line = startLine;
    int found = ahead == 0 ? -1 : std::countr_zero(ahead);
    while (found < 0 && ++line < box_.Lines()) {
        const int offset = line - s.base;
        const std::uint64_t bits = offset < kWindowLines ? window.lines[offset] : box_.OriginalLine(line)[0];
        found = bits == 0 ? -1 : std::countr_zero(bits);
    }
    const int pos = found < 0 ? 0 : found;
    s.cursorX = static_cast<std::uint8_t>(box_.RowScan() ? pos : line);
    s.cursorY = static_cast<std::uint8_t>(box_.RowScan() ? line : pos);
    if (line != startLine && line < box_.Lines()) {
        const int newBase = line - kLinesBehind;
        window.Shift(newBase - s.base, [&](int i) { return box_.OriginalLine(newBase + i)[0]; });
        s.base = static_cast<std::int16_t>(newBase);
    }
}

void ScanStates::Advance(StateId id)
{
    Header& s = At(id);
    if (oneWord_) {
        OneWordWindow window;
        window.Load(Window(id), packed_);
        const std::int16_t base = s.base;
        AdvanceOneWord(s, window);
        if (s.base != base)
            window.Store(Window(id), packed_);
        return;
    }
    const int startLine = box_.LineOf(s.cursorX, s.cursorY);
    int line = startLine;
    const int words = box_.Words();
    // The cursor's line is the window's third.
    int found = scan_bits::NextSet(Window(id) + static_cast<std::size_t>(kLinesBehind) * words,
                                   box_.PosOf(s.cursorX, s.cursorY) + 1, box_.LineLength());
    while (found < 0 && ++line < box_.Lines())
        found = scan_bits::NextSet(ReadLine(id, line), 0, box_.LineLength());
    const int pos = found < 0 ? 0 : found;
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

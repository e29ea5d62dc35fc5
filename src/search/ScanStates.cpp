#include "search/ScanStates.h"

#include "search/ScanShape.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

namespace {

// The window of a box one word wide, a word a line.
struct WordLines {
    static std::uint64_t Get(const std::uint64_t* w, int i) { return w[i]; }
    static void Clear(std::uint64_t* w, int i, std::uint64_t bits) { w[i] &= ~bits; }
};

// The window of a box at most 48 wide, in six words so that a state fills one
// cache line: lines 0–5 are the low 48 bits of words 0–5, line 6 the high 16
// bits of words 0–2 and line 7 those of words 3–5.
struct PackedLines {
    static constexpr int kWords = 6;
    static constexpr int kFull = 6;
    static constexpr std::uint64_t kLow = (std::uint64_t{1} << 48) - 1;

    static std::uint64_t Get(const std::uint64_t* w, int i)
    {
        if (i < kFull)
            return w[i] & kLow;
        const std::uint64_t* part = w + 3 * (i - kFull);
        return (part[0] >> 48) | (part[1] >> 48) << 16 | (part[2] >> 48) << 32;
    }
    static void Clear(std::uint64_t* w, int i, std::uint64_t bits)
    {
        if (i < kFull) {
            w[i] &= ~bits;
            return;
        }
        std::uint64_t* part = w + 3 * (i - kFull);
        part[0] &= ~(bits << 48);
        part[1] &= ~((bits >> 16) << 48);
        part[2] &= ~((bits >> 32) << 48);
    }
    static void SetAll(std::uint64_t* w, const std::uint64_t (&lines)[ScanStates::kWindowLines])
    {
        for (int i = 0; i < kFull; ++i) {
            const std::uint64_t high = lines[kFull + i / 3] >> (16 * (i % 3));
            w[i] = lines[i] | high << 48;
        }
    }
};
static_assert(PackedLines::kFull + 2 == ScanStates::kWindowLines);

}  // namespace

ScanStates::ScanStates(const ScanBox& box, RecordChain& records, int originX, int originY)
    : box_(box), records_(records), originX_(originX), originY_(originY),
      packed_(box.LineLength() <= kPackedLineLength),
      windowWords_(packed_ ? PackedLines::kWords : static_cast<std::size_t>(kWindowLines) * box.Words()),
      slotBytes_((sizeof(Header) + windowWords_ * sizeof(std::uint64_t) + kSlotRound - 1) / kSlotRound * kSlotRound)
{
    static_assert(sizeof(Header) % alignof(std::uint64_t) == 0);
    static_assert(sizeof(Header) + PackedLines::kWords * sizeof(std::uint64_t) == kSlotAlign);
    static_assert(sizeof(Header) % kSlotRound == 0);
}

ScanStates::StateId ScanStates::Allocate()
{
    if (freeSlots_.empty()) {
        const std::size_t count = std::size_t{1} << kChunkBits;
        std::byte* chunk = static_cast<std::byte*>(::operator new[](count * slotBytes_, std::align_val_t{kSlotAlign}));
        chunks_.emplace_back(chunk);
        for (std::size_t i = 0; i < count; ++i)
            new (chunk + i * slotBytes_) Header{};
        const StateId first = static_cast<StateId>((chunks_.size() - 1) << kChunkBits);
        for (StateId id = first + static_cast<StateId>(count); id-- > first;)
            freeSlots_.push_back(id);
        holds_.resize(chunks_.size() << kChunkBits, 0);
    }
    const StateId id = freeSlots_.back();
    freeSlots_.pop_back();
    holds_[id] = 1;
    ++liveCount_;
    return id;
}

void ScanStates::Free(StateId id)
{
    freeSlots_.push_back(id);
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
    if (packed_) {
        std::uint64_t lines[kWindowLines];
        for (int i = 0; i < kWindowLines; ++i)
            lines[i] = box_.OriginalLine(h.base + i)[0];
        PackedLines::SetAll(window, lines);
        return id;
    }
    for (int i = 0; i < kWindowLines; ++i)
        std::copy_n(box_.OriginalLine(h.base + i), words, window + static_cast<std::size_t>(i) * words);
    return id;
}

ScanStates::StateId ScanStates::Copy(StateId from)
{
    const StateId id = Allocate();
    // Sizes known to the compiler copy inline; lines of 64 positions or
    // fewer are by far the most common.
    constexpr std::size_t kNarrowBytes = sizeof(Header) + kWindowLines * sizeof(std::uint64_t);
    if (packed_)
        std::memcpy(Slot(id), Slot(from), kSlotAlign);
    else if (windowWords_ == kWindowLines)
        std::memcpy(Slot(id), Slot(from), kNarrowBytes);
    else
        std::memcpy(Slot(id), Slot(from), slotBytes_);
    return id;
}

bool ScanStates::Complete(StateId id) const
{
    const Header& h = At(id);
    return h.cursorY >= (box_.RowScan() ? box_.Lines() : box_.LineLength()) ||
           h.cursorX >= (box_.RowScan() ? box_.LineLength() : box_.Lines());
}

template <class Lines>
void ScanStates::GatherOneWord(const std::uint64_t* window, std::uint64_t beyond, int start, std::uint64_t& first,
                               std::uint64_t& second)
{
    // Lines of one word, by far the most common: a shift each.
    const int step = PatchLines::kLineBits;
    auto gather = [&](auto at) {
        first = at(Lines::Get(window, 0)) | at(Lines::Get(window, 1)) << step |
                at(Lines::Get(window, 2)) << 2 * step | at(Lines::Get(window, 3)) << 3 * step |
                at(Lines::Get(window, 4)) << 4 * step;
        second = at(Lines::Get(window, 5)) | at(Lines::Get(window, 6)) << step |
                 at(Lines::Get(window, 7)) << 2 * step | at(beyond) << 3 * step;
    };
    if (start >= 0)
        gather([start](std::uint64_t line) { return (line >> start) & PatchLines::kLineMask; });
    else
        gather([start](std::uint64_t line) { return (line << -start) & PatchLines::kLineMask; });
}

CursorPatch ScanStates::Patch(StateId id) const
{
    // The window starts two lines before the cursor's line, which is where
    // the patch starts; lines outside the box are all clear in it.
    static_assert(PatchLines::kLines == kWindowLines + 1);
    const Header& s = At(id);
    const int firstLine = box_.LineOf(s.cursorX, s.cursorY) - PatchLines::kCursorLine;
    assert(firstLine == s.base);
    const int start = box_.PosOf(s.cursorX, s.cursorY) - PatchLines::kCursorBit;
    const int words = box_.Words();
    const std::uint64_t* window = Window(id);
    const std::uint64_t* beyond = box_.OriginalLine(firstLine + kWindowLines);
    // Lines gathered in two scalars: a patch travels in registers.
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    if (packed_) {
        GatherOneWord<PackedLines>(window, beyond[0], start, first, second);
    } else if (words == 1) {
        GatherOneWord<WordLines>(window, beyond[0], start, first, second);
    } else {
        auto at = [&](int j) {
            const std::uint64_t* line = j < kWindowLines ? window + static_cast<std::size_t>(j) * words : beyond;
            return scan_bits::Span(line, words, start) & PatchLines::kLineMask;
        };
        for (int j = 0; j < PatchLines::kLinesInFirst; ++j)
            first |= at(j) << PatchLines::Shift(j);
        for (int j = PatchLines::kLinesInFirst; j < PatchLines::kLines; ++j)
            second |= at(j) << PatchLines::Shift(j);
    }
    static_assert(PatchLines::kLinesInFirst == 5 && PatchLines::kLines == 9);
    CursorPatch patch;
    patch.free.words[0] = first;
    patch.free.words[1] = second;
    return patch;
}

void ScanStates::Place(StateId id, const ScanShape& shape, CursorPatch patch)
{
    const CursorPatch::Placed placed = patch.Place(shape);
    At(id).waste += placed.givenUp;
    Take(id, shape, placed.taken);
}

void ScanStates::PlaceTaken(StateId id, const ScanShape& shape, const PatchLines& taken, int waste)
{
    At(id).waste = waste;
    Take(id, shape, taken);
}

template <class Lines>
void ScanStates::ScatterOneWord(std::uint64_t* window, int start, const PatchLines& taken)
{
    // Only lines 1 to 7 are ever taken from.
    const std::uint64_t first = taken.words[0];
    const std::uint64_t second = taken.words[1];
    const int step = PatchLines::kLineBits;
    auto scatter = [&](auto at) {
        Lines::Clear(window, 1, at(first >> step));
        Lines::Clear(window, 2, at(first >> 2 * step));
        Lines::Clear(window, 3, at(first >> 3 * step));
        Lines::Clear(window, 4, at(first >> 4 * step));
        Lines::Clear(window, 5, at(second));
        Lines::Clear(window, 6, at(second >> step));
        Lines::Clear(window, 7, at(second >> 2 * step));
    };
    constexpr std::uint64_t mask = PatchLines::kLineMask;
    if (start >= 0)
        scatter([start](std::uint64_t bits) { return (bits & mask) << start; });
    else
        scatter([start](std::uint64_t bits) { return (bits & mask) >> -start; });
    static_assert(PatchLines::kLinesInFirst == 5 && kWindowLines == 8);
}

void ScanStates::Take(StateId id, const ScanShape& shape, const PatchLines& taken)
{
    Header& s = At(id);
    s.score += shape.score;
    // The patch's lines are the window's lines.
    const int start = box_.PosOf(s.cursorX, s.cursorY) - PatchLines::kCursorBit;
    const int words = box_.Words();
    std::uint64_t* window = Window(id);
    if (packed_) {
        ScatterOneWord<PackedLines>(window, start, taken);
    } else if (words == 1) {
        ScatterOneWord<WordLines>(window, start, taken);
    } else {
        for (int j = 0; j < kWindowLines; ++j) {
            if (const std::uint32_t line = taken.Line(j); line != 0)
                scan_bits::ClearSpan(window + static_cast<std::size_t>(j) * words, words, start, line);
        }
    }
    s.records = records_.Push(s.records, LayoutRecord{static_cast<std::uint8_t>(originX_ + s.cursorX),
                                                      static_cast<std::uint8_t>(originY_ + s.cursorY),
                                                      static_cast<std::uint8_t>(shape.w),
                                                      static_cast<std::uint8_t>(shape.h)});
    Advance(id);
}

void ScanStates::GiveUp(StateId id)
{
    ++At(id).waste;
    Advance(id);
}

void ScanStates::Advance(StateId id)
{
    Header& s = At(id);
    const int startLine = box_.LineOf(s.cursorX, s.cursorY);
    int line = startLine;
    int pos = box_.PosOf(s.cursorX, s.cursorY) + 1;
    // The cursor's line is the window's third.
    const int words = box_.Words();
    const std::uint64_t* window = Window(id) + static_cast<std::size_t>(kLinesBehind) * words;
    int found = -1;
    if (packed_) {
        // The rest of the line is one mask.
        const std::uint64_t ahead = PackedLines::Get(Window(id), kLinesBehind) & (~std::uint64_t{0} << pos);
        found = ahead == 0 ? -1 : std::countr_zero(ahead);
        while (found < 0 && ++line < box_.Lines()) {
            const int offset = line - s.base;
            const std::uint64_t bits =
                offset < kWindowLines ? PackedLines::Get(Window(id), offset) : box_.OriginalLine(line)[0];
            found = bits == 0 ? -1 : std::countr_zero(bits);
        }
    } else {
        if (words == 1) {
            // Lines of one word: the rest of the line is one mask.
            const std::uint64_t ahead = pos < 64 ? window[0] & (~std::uint64_t{0} << pos) : 0;
            found = ahead == 0 ? -1 : std::countr_zero(ahead);
        } else {
            found = scan_bits::NextSet(window, pos, box_.LineLength());
        }
        while (found < 0 && ++line < box_.Lines())
            found = scan_bits::NextSet(ReadLine(id, line), 0, box_.LineLength());
    }
    pos = found < 0 ? 0 : found;
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
    if (packed_) {
        std::uint64_t lines[kWindowLines];
        for (int i = 0; i < kWindowLines; ++i)
            lines[i] =
                i + shift < kWindowLines ? PackedLines::Get(window, i + shift) : box_.OriginalLine(newBase + i)[0];
        PackedLines::SetAll(window, lines);
        s.base = static_cast<std::int16_t>(newBase);
        return;
    }
    if (words == 1) {
        for (int i = 0; i < kWindowLines; ++i)
            window[i] = i + shift < kWindowLines ? window[i + shift] : box_.OriginalLine(newBase + i)[0];
        s.base = static_cast<std::int16_t>(newBase);
        return;
    }
    for (int i = 0; i < kWindowLines; ++i) {
        const int from = i + shift;
        const std::uint64_t* source =
            from < kWindowLines ? window + static_cast<std::size_t>(from) * words : box_.OriginalLine(newBase + i);
        std::copy_n(source, words, window + static_cast<std::size_t>(i) * words);
    }
    s.base = static_cast<std::int16_t>(newBase);
}

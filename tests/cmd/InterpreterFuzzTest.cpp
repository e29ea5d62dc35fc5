#include "SentMessages.h"
#include "cmd/CommandInterpreter.h"
#include "cmd/EditCommands.h"
#include "cmd/RunLine_CMD.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <set>
#include <sstream>
#include <string>

namespace {

// Random and mutated command lines from a fixed seed, so a failure repeats.
class LineFuzzer {
public:
    std::string NextLine()
    {
        return Pick(2) == 0 ? Composed() : Mutated(std::string(Any(kSamples)));
    }

private:
    static constexpr std::array<const char*, 16> kFirstWords = {
        "load", "center", "zoom", "build", "break", "tip", "hide", "clear",
        "mark", "delete", "##fill", "##lay", "Build", "say", "", "\xA1\xA1"};
    static constexpr std::array<const char*, 27> kTokens = {
        "0", "1", "-1", "10", "249", "250", "2147483647", "2147483648", "-2147483648", "-2147483649",
        "4294967296", "99999999999999999999", "+5", "-", "+", "007", "1e3", "0x1f", "ffffffff", "ff1c00",
        "100000000", "-ff", "<NULL>", "scene", "mark", "build", "tip"};
    static constexpr std::array<const char*, 6> kSeparators = {" ", "     ", "\t", "\r", "", "\n"};
    static constexpr std::array<const char*, 9> kSamples = {
        "build 10 10 3 2 <NULL> ffffffff", "break 10 10 5 4 Mill ff1c00", "mark 5 5     5 30",
        "delete mark 5 5     5 30", "clear scene ", "tip 3 4 hello", "load my map", "center 125 125",
        "build 100 100 5 4 \xB2\xD6\xBF\xE2 0"};

    std::uint32_t Pick(std::uint32_t n) { return rng_() % n; }

    template <class List>
    const char* Any(const List& list)
    {
        return list[Pick(static_cast<std::uint32_t>(list.size()))];
    }

    std::string RandomBytes(std::uint32_t maxLength)
    {
        std::string bytes(Pick(maxLength + 1), '\0');
        for (char& c : bytes)
            c = static_cast<char>(Pick(256));
        return bytes;
    }

    std::string Token()
    {
        switch (Pick(4)) {
        case 0:
            return std::to_string(static_cast<std::int32_t>(Pick(270)) - 10);
        case 1:
            return RandomBytes(8);
        default:
            return Any(kTokens);
        }
    }

    std::string Composed()
    {
        std::string line = Any(kFirstWords);
        for (std::uint32_t n = Pick(9); n > 0; --n)
            line += Any(kSeparators) + Token();
        return line;
    }

    std::string Mutated(std::string line)
    {
        for (std::uint32_t n = 1 + Pick(3); n > 0; --n) {
            const std::size_t at = line.empty() ? 0 : Pick(static_cast<std::uint32_t>(line.size()));
            switch (Pick(4)) {
            case 0:
                if (!line.empty())
                    line[at] = static_cast<char>(Pick(256));
                break;
            case 1:
                line.erase(at, Pick(6));
                break;
            case 2:
                line.insert(at, RandomBytes(6));
                break;
            default:
                line.insert(at, line.substr(at, Pick(12)));
                break;
            }
        }
        return line;
    }

    std::mt19937 rng_{20090307u};
};

// Anything a command reads successfully must write back to text that reads the same.
template <class Command>
void ExpectReadTextRoundTrips(const std::string& line)
{
    std::istringstream in(line);
    Command read;
    if (!read.Read(in))
        return;
    std::ostringstream out;
    read.Write(out);
    std::istringstream again(out.str());
    Command reread;
    ASSERT_TRUE(reread.Read(again)) << out.str();
    EXPECT_EQ(reread.data, read.data) << out.str();
}

TEST(InterpreterFuzzTest, RandomLinesNeverBreakTheInterpreterOrTheScene)
{
    const std::set<std::string> alwaysKnown{"load", "center", "zoom", "build", "break", "tip", "mark"};
    const std::set<std::string> twoWords{"hide", "clear", "delete"};

    Scene scene(MsgCenter::Instance());
    SentMessages sent;
    LineFuzzer fuzzer;

    for (int i = 0; i < 3000; ++i) {
        if (i % 250 == 0)
            scene.FillRect(0, 0, GridSize - 1, GridSize - 1, CellSoil, CellBalk);
        const std::string line = fuzzer.NextLine();
        SCOPED_TRACE(::testing::Message() << "line " << i << ": " << ::testing::PrintToString(line));

        std::istringstream in(line);
        std::string firstWord;
        in >> firstWord;
        const std::size_t sentBefore = sent.journal.size();
        const bool known = CommandInterpreter::Interpret(firstWord, in);
        if (alwaysKnown.count(firstWord) != 0) {
            EXPECT_TRUE(known);
        } else if (twoWords.count(firstWord) == 0) {
            EXPECT_FALSE(known);
        }
        if (!known) {
            EXPECT_EQ(sent.journal.size(), sentBefore);
        }

        // The RUN line keeps only the text before a line break.
        RunLine_CMD command(line);
        const bool ran = command.Execute();
        if (line.find_first_of("\r\n") == std::string::npos) {
            EXPECT_EQ(ran, known);
        }

        ExpectReadTextRoundTrips<AddBuild_CMD>(line);
        ExpectReadTextRoundTrips<FillSoil_CMD>(line);
        ExpectReadTextRoundTrips<AddMark_CMD>(line);
        if (sent.journal.size() > 10000)
            sent.journal.clear();
    }

    for (const Build& b : scene.Builds()) {
        ASSERT_TRUE(scene.RectAll(b.x, b.y, b.w, b.h, CellBuild))
            << b.x << " " << b.y << " " << b.w << " " << b.h;
    }
}

}  // namespace

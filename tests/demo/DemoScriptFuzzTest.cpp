#include "demo/DemoScriptReader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

namespace {

// Scripts built from the pieces the reader reacts to, then mutated byte-wise;
// a fixed seed so a failure repeats.
class ScriptFuzzer {
public:
    std::string Next()
    {
        std::string body;
        const std::uint32_t lines = Pick(40);
        for (std::uint32_t i = 0; i < lines; ++i)
            body += std::string(Any(kLines)) + Any(kEnds);
        // Mostly the magic words stay whole, so the line rules are reached.
        if (Pick(8) == 0)
            return Mutate(std::string(kMagic) + Any(kEnds) + body);
        return std::string(kMagic) + Any(kEnds) + Mutate(std::move(body));
    }

private:
    static constexpr const char* kMagic = "QuarrinLayvane Demo Script File. Version 1.0";
    static constexpr std::array<const char*, 22> kLines = {
        ">title My Show", ">author \xD5\xC5", ">date 2009-3-7", ">pre", ">start", ">end", ">", "> ", ">>",
        ",load My Show", ".center 125 125", ".say <b>hi</b> +", "+", "++", "#", "# note+", "//", "/+",
        ".", "", "\r", "\xFF\xFE\x00"};
    static constexpr std::array<const char*, 5> kEnds = {"\n", "\r\n", "\r", "", " "};

    std::uint32_t Pick(std::uint32_t n) { return rng_() % n; }

    template <class List>
    const char* Any(const List& list)
    {
        return list[Pick(static_cast<std::uint32_t>(list.size()))];
    }

    std::string Mutate(std::string text)
    {
        const std::uint32_t edits = Pick(6);
        for (std::uint32_t i = 0; i < edits; ++i) {
            const std::size_t at = text.empty() ? 0 : Pick(static_cast<std::uint32_t>(text.size()));
            switch (Pick(4)) {
            case 0:
                if (!text.empty())
                    text[at] = static_cast<char>(Pick(256));
                break;
            case 1:
                if (!text.empty())
                    text.erase(at, Pick(8));
                break;
            case 2:
                text.insert(at, std::string(Pick(4) + 1, "+\n>#/\r\0 "[Pick(8)]));
                break;
            default:
                text.resize(at);  // a file cut short
                break;
            }
        }
        return text;
    }

    std::mt19937 rng_{20090307u};
};

TEST(DemoScriptFuzzTest, MutatedScriptsNeverBreakTheReader)
{
    ScriptFuzzer fuzzer;
    int valid = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = fuzzer.Next();
        std::istringstream in(text);
        const auto script = DemoScriptReader::Read(in, "f");
        if (!script)
            continue;
        ++valid;
        // Nothing stored can be longer than the file that held it.
        std::size_t stored = 0;
        for (const auto& [key, section] : script->sections) {
            stored += key.size() + section.value.size();
            for (const std::string& line : section.lines)
                stored += line.size();
        }
        ASSERT_LE(stored, text.size()) << "case " << i;
        // A key is one word, and a value is empty or starts at the blank after it.
        for (const auto& [key, section] : script->sections) {
            ASSERT_EQ(key.find_first_of(" \t\r\n\v\f"), std::string::npos) << "case " << i;
            ASSERT_TRUE(section.value.empty() || std::string(" \t\r\n\v\f").find(section.value[0]) != std::string::npos)
                << "case " << i;
        }
    }
    // The mutations must leave enough scripts valid to reach the line rules.
    EXPECT_GT(valid, 1000);
}

TEST(DemoScriptFuzzTest, RandomBytesAfterTheMagicWords)
{
    std::mt19937 rng(7u);
    for (int i = 0; i < 500; ++i) {
        std::string text = "QuarrinLayvane Demo Script File. Version 1.0\n";
        const std::size_t length = rng() % 2048;
        for (std::size_t j = 0; j < length; ++j)
            text += static_cast<char>(rng() % 256);
        std::istringstream in(text);
        ASSERT_TRUE(DemoScriptReader::Read(in, "f").has_value()) << "case " << i;
    }
}

}  // namespace

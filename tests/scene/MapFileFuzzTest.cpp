#include "msg/MsgCenter.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// A small but complete legacy map, so that every truncation stays cheap.
std::string SmallLegacyMap()
{
    std::string text = "Quarrin Layvane Map File. Version 1.0\r\nGrid Size 100 * 100\r\n";
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 100; ++y)
            text += static_cast<char>('0' + (x * 7 + y) % 5);
        text += "\r\n";
    }
    text += "Builds 3\r\n:10 12 3 2\r\n\r\nname with blanks:40 7 5 4\r\n\xD2\xBD\xD4\xBA:1 1 2 3\r\n";
    text += "Marks 2\r\n5 5 5 30\r\n-1 0 7 7\r\n";
    return text;
}

std::string SmallCurrentMap()
{
    std::string text = "Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n";
    for (int x = 0; x < 250; ++x)
        text += std::string(250, static_cast<char>('0' + x % 5)) + "\n";
    text += "Builds 2\n: ffffffff 10 12 3 2\nx: ff1c00 40 7 3 4\nMarks 1\n5 5 5 30\n";
    return text;
}

class MapFileFuzzTest : public ::testing::Test {
protected:
    // Reads `text` and checks that the scene is still whole: a refused file
    // changed nothing, and whatever was loaded can be counted, saved and read back.
    void ReadAndUse(const std::string& text)
    {
        const Scene::Grid cellsBefore = scene.Cells();
        const std::vector<Build> buildsBefore = scene.Builds();
        const std::vector<Mark> marksBefore = scene.Marks();

        ++reads;
        std::istringstream in(text);
        std::string errorText;
        if (!MapFileReader::Read(in, errorText, scene)) {
            ASSERT_FALSE(errorText.empty());
            ASSERT_TRUE(scene.Cells() == cellsBefore);
            ASSERT_EQ(scene.Builds(), buildsBefore);
            ASSERT_EQ(scene.Marks(), marksBefore);
            return;
        }
        ASSERT_LE(scene.Builds().size(), text.size());
        ASSERT_LE(scene.Marks().size(), text.size());

        const SceneStatistics stats = scene.ComputeStatistics();
        ASSERT_LE(stats.groundCells, GridCells);
        std::ostringstream out;
        MapFileWriter::Write(out, scene);
        ASSERT_TRUE(out.good());

        // Whatever was loaded is saved in a form that loads back unchanged;
        // checked on a sample, as reading a full-size map is the slow part.
        if (++loads % 16 != 0)
            return;
        const Scene::Grid cellsLoaded = scene.Cells();
        const std::vector<Build> buildsLoaded = scene.Builds();
        const std::vector<Mark> marksLoaded = scene.Marks();
        std::istringstream again(out.str());
        errorText.clear();
        ASSERT_TRUE(MapFileReader::Read(again, errorText, scene));
        ASSERT_EQ(errorText, "");
        ASSERT_TRUE(scene.Cells() == cellsLoaded);
        ASSERT_EQ(scene.Builds(), buildsLoaded);
        ASSERT_EQ(scene.Marks(), marksLoaded);
    }

    Scene scene{MsgCenter::Instance()};
    std::mt19937 random{20240611u};
    int reads = 0;
    int loads = 0;
};

TEST_F(MapFileFuzzTest, EveryTruncationOfASmallMapIsSurvived)
{
    const std::string text = SmallLegacyMap();
    const std::size_t gridEnd = text.find("Builds");
    for (std::size_t length = 0; length <= text.size(); ++length) {
        // Inside the grid one cut behaves like the next; sample it.
        if (length > 80 && length < gridEnd - 3 && length % 61 != 0)
            continue;
        ReadAndUse(text.substr(0, length));
    }
    EXPECT_GT(reads, 300);
}

TEST_F(MapFileFuzzTest, RandomByteChangesAreSurvived)
{
    const std::string legacy = SmallLegacyMap();
    const std::string current = SmallCurrentMap();
    std::uniform_int_distribution<int> byteValue(0, 255);
    std::uniform_int_distribution<int> editCount(1, 8);
    std::uniform_int_distribution<int> editKind(0, 2);
    for (int round = 0; round < 1000; ++round) {
        // Mostly the small legacy map: a full-size one costs six times as much to read.
        std::string text = round % 8 == 0 ? current : legacy;
        // Half of the edits land after the grid, where the lists are parsed.
        const std::size_t listStart = text.find("Builds");
        for (int e = editCount(random); e > 0; --e) {
            const std::size_t from = (random() % 2 == 0) ? 0 : std::min(listStart, text.size());
            const std::size_t at = from + random() % (text.size() - from + 1);
            const char byte = static_cast<char>(byteValue(random));
            switch (editKind(random)) {
            case 0:
                if (at < text.size())
                    text[at] = byte;
                break;
            case 1:
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), byte);
                break;
            default:
                if (at < text.size())
                    text.erase(at, 1 + random() % 4);
                break;
            }
        }
        ReadAndUse(text);
        if (HasFatalFailure())
            return;
    }
}

TEST_F(MapFileFuzzTest, HugeCountsAndNumbersAreSurvived)
{
    const std::string head = SmallLegacyMap().substr(0, SmallLegacyMap().find("Builds"));
    const std::vector<std::string> tails{
        "Builds 4000000000\r\n:1 2 3 4\r\n",
        "Builds 4294967295\r\nMarks 4294967295\r\n",
        "Builds 18446744073709551616\r\nMarks 99999999999999999999999\r\n1 2 3 4\r\n",
        "Builds 1\r\n:99999999999 -99999999999 2147483647 -2147483648\r\nMarks 1\r\n-2147483649 0 0 0\r\n",
        "Builds 2\r\n:-2147483648 -2147483648 -2147483648 -2147483648\r\n:0 0 2147483647 2147483647\r\nMarks 0\r\n",
        "Builds 1\r\n" + std::string(100000, ':') + "\r\nMarks 1\r\n" + std::string(100000, '9') + " 1 1 1\r\n",
        "Builds 5\r\n" + std::string(200000, '\n') + "Marks 5\r\n" + std::string(50000, '-'),
        "Builds -1\r\nMarks +3\r\n1 2 3 4 5 6 7 8 9 10 11 12\r\n",
        "Builds 1\r\n\0:\0 1 2 3\r\nMarks 1\r\n\0\0\0\0"s,
    };
    for (const std::string& tail : tails) {
        SCOPED_TRACE(tail.substr(0, 40));
        ReadAndUse(head + tail);
        if (HasFatalFailure())
            return;
    }
    // Garbage from the first byte, with and without a valid header before it.
    std::uniform_int_distribution<int> byteValue(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string garbage(static_cast<std::size_t>(random() % 4000), '\0');
        for (char& c : garbage)
            c = static_cast<char>(byteValue(random));
        ReadAndUse(garbage);
        ReadAndUse("Quarrin Layvane Map File. Version 1.0\nGrid Size 100 * 100\n" + garbage);
        if (HasFatalFailure())
            return;
    }
}

}  // namespace

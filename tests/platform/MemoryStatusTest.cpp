#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryStatusTest, ParsesTotalAndAvailableInBytes)
{
    const auto m = platform::ParseMemInfo("MemTotal:       24576000 kB\nMemFree:  100 kB\nMemAvailable:   307200 kB\n");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->totalBytes, 24576000ull * 1024);
    EXPECT_EQ(m->availableBytes, 307200ull * 1024);
}

TEST(MemoryStatusTest, FallsBackToFreeMemoryAndRefusesGarbage)
{
    const auto old = platform::ParseMemInfo("MemTotal: 2048 kB\nMemFree: 1024 kB\n");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->availableBytes, 1024ull * 1024);

    EXPECT_FALSE(platform::ParseMemInfo(""));
    EXPECT_FALSE(platform::ParseMemInfo("MemTotal: lots\nMemAvailable: 5 kB\n"));
    EXPECT_FALSE(platform::ParseMemInfo("MemTotal: 99999999999999999999999 kB\nMemAvailable: 5 kB\n"));
    // A key must start its line.
    EXPECT_FALSE(platform::ParseMemInfo("XMemTotal: 5 kB\nMemAvailable: 5 kB\n"));
}

TEST(MemoryStatusTest, ThisMachineHasMemory)
{
    const auto m = platform::QueryPhysicalMemory();
    ASSERT_TRUE(m);
    EXPECT_GT(m->totalBytes, 0u);
    EXPECT_LE(m->availableBytes, m->totalBytes);
}

}  // namespace

#include "platform/MemoryStatus.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

namespace {

TEST(MemoryStatusTest, ProcessAndContainerLimitsCapTheMemory)
{
    using platform::MemoryLimit;
    using platform::PhysicalMemory;
    const PhysicalMemory machine{8000, 6000};
    const struct {
        MemoryLimit limit;
        std::uint64_t total, available;
    } limits[] = {
        {{10000, 100}, 8000, 6000}, {{5000, 1000}, 5000, 4000}, {{3000, 4000}, 3000, 0}, {{0, 0}, 0, 0}};
    for (const auto& c : limits) {
        const PhysicalMemory m = platform::WithinLimit(machine, c.limit);
        EXPECT_EQ(m.totalBytes, c.total) << c.limit.limitBytes;
        EXPECT_EQ(m.availableBytes, c.available) << c.limit.limitBytes;
    }

    EXPECT_EQ(platform::ParseCgroupBytes("536870912\n"), 536870912u);
    for (const char* none : {"max\n", "", "9223372036854771712\n", "12 kB", "-5", "99999999999999999999999"})
        EXPECT_FALSE(platform::ParseCgroupBytes(none)) << none;

    const struct {
        const char* text;
        std::optional<std::string> path;
        bool unified;
    } cgroups[] = {
        {"0::/user.slice/app.scope\n", "/user.slice/app.scope", true},
        {"12:cpu,cpuacct:/a\n4:memory:/docker/abc\n0::/\n", "/docker/abc", false},
        {"3:pids:/x\n0::/\n", "/", true},
        {"0::/../../etc\n", std::nullopt, true},
        {"garbage\n::\n", std::nullopt, true},
        {"", std::nullopt, true},
    };
    for (const auto& c : cgroups) {
        const auto own = platform::ParseOwnCgroup(c.text);
        EXPECT_EQ(own ? std::optional<std::string>(own->path) : std::nullopt, c.path) << c.text;
        if (own) {
            EXPECT_EQ(own->unified, c.unified) << c.text;
        }
    }
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
TEST(MemoryStatusTest, TheAddressSpaceLimitOfTheProcessCounts)
{
    // In a child of its own, so the limit stays there.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{1024ull << 20, 1024ull << 20};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            ::_exit(2);
        const auto m = platform::QueryPhysicalMemory();
        ::_exit(m && m->totalBytes <= limit.rlim_cur && m->availableBytes < limit.rlim_cur ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
#endif

}  // namespace

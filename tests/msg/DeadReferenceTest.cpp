#include "msg/MsgCenter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

// Runs after the center's own exit-time destruction, since it is registered
// with atexit before the center is first created.
void UseCenterAfterExit()
{
    std::string report;
    try {
        MsgCenter::Instance();
        report = "no error";
    } catch (const std::logic_error& e) {
        report = e.what();
    }
    // The failed call cleared the mark: the next one builds a fresh center.
    MsgCenter& fresh = MsgCenter::Instance();
    const bool usable = fresh.FindHandlerSet(MsgCenter::TypeName<int>()) == nullptr;
    std::fprintf(stderr, "[%s] fresh=%s\n", report.c_str(), usable ? "yes" : "no");
    std::fflush(stderr);
    _exit(42);
}

TEST(DeadReferenceDeathTest, InstanceAfterDestructionThrowsThenRecreates)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::atexit(&UseCenterAfterExit);
            MsgCenter::Instance();
            std::exit(0);
        },
        ::testing::ExitedWithCode(42), "\\[Dead Reference Detected\\] fresh=yes");
}

}  // namespace

#include "app/CommandLineMapFile.h"

#include <gtest/gtest.h>

TEST(CommandLineMapFileTest, WindowsTakesTheTextAfterTheQuotedProgramUnchanged)
{
    EXPECT_EQ(CommandLineMapFile::FromWindowsCommandLine(LR"("C:\QL\quarrinlayvane.exe" D:\maps\town.qlm)"),
              LR"(D:\maps\town.qlm)");
    // Quotes and blanks around the file stay as they were given.
    EXPECT_EQ(CommandLineMapFile::FromWindowsCommandLine(LR"("C:\QL\ql.exe" "D:\my maps\a.qlm" )"),
              LR"("D:\my maps\a.qlm" )");
}

TEST(CommandLineMapFileTest, WindowsWithoutQuotedProgramOrFileNamesNothing)
{
    EXPECT_EQ(CommandLineMapFile::FromWindowsCommandLine(LR"(C:\QL\ql.exe D:\maps\town.qlm)"), L"");
    EXPECT_EQ(CommandLineMapFile::FromWindowsCommandLine(LR"("C:\QL\ql.exe")"), L"");
    EXPECT_EQ(CommandLineMapFile::FromWindowsCommandLine(LR"("C:\QL\ql.exe" )"), L"");
    EXPECT_EQ(CommandLineMapFile::FromWindowsCommandLine(L""), L"");
}

TEST(CommandLineMapFileTest, ArgumentsAreJoinedBySingleBlanks)
{
    EXPECT_EQ(CommandLineMapFile::FromArguments({}), "");
    EXPECT_EQ(CommandLineMapFile::FromArguments({"map/town.qlm"}), "map/town.qlm");
    EXPECT_EQ(CommandLineMapFile::FromArguments({"/home/u/my", "maps/a.qlm"}), "/home/u/my maps/a.qlm");
}

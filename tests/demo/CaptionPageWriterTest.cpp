#include "demo/CaptionPageWriter.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

namespace fs = std::filesystem;

TEST(CaptionPageWriterTest, APageForTheUserFolderMirrorsOnlyScriptsBelowTheSamples)
{
    const platform::AppFolders folders{"/usr/share/ql", "/home/me/.local/share/ql", "/home/me/.config/ql/ql.cfg"};
    const fs::path page = CaptionPageWriter::kPageFileName;
    const struct {
        const char* scriptFolder;
        std::optional<fs::path> pageFile;
    } cases[] = {
        {"/usr/share/ql/demo/town", "/home/me/.local/share/ql/demo/town" / page},
        {"/usr/share/ql/demo/a/../b", "/home/me/.local/share/ql/demo/b" / page},
        {"/usr/share/ql", "/home/me/.local/share/ql" / page},
        {"/usr/share/ql/../qlx/demo", std::nullopt},
        {"/usr/share/qlx/demo", std::nullopt},
        {"/tmp/demo", std::nullopt},
        {"relative/demo", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaptionPageWriter::InWorkFolder(c.scriptFolder, folders), c.pageFile) << c.scriptFolder;
    EXPECT_EQ(CaptionPageWriter::InWorkFolder("/usr/share/ql/demo/town", {}), std::nullopt);
}

}  // namespace

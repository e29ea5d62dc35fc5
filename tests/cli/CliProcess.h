#pragma once

// Runs quarrinlayvane-cli as a user runs it: a real process on real files in a
// folder of the test's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace cli_process {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void Spit(const fs::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

// Each test gets an empty folder named after it, removed afterwards.
class CliFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("ql-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // `shellPrefix` runs before the tool in the same shell, e.g. "ulimit -v N; ".
    Result Cli(const std::string& args, const std::string& input = "", const std::string& shellPrefix = "")
    {
        Spit(dir / "stdin.txt", input);
        const std::string command = shellPrefix + "exec '" + QL_CLI_PATH + "' " + args + " < '" + (dir / "stdin.txt").string() +
                                    "' > '" + (dir / "stdout.txt").string() + "' 2> '" + (dir / "stderr.txt").string() +
                                    "'";
        const int raw = std::system(command.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = Slurp(dir / "stdout.txt");
        r.err = Slurp(dir / "stderr.txt");
        return r;
    }
    // The quoted path of a file in the test's folder.
    std::string P(const fs::path& name) const { return "'" + (dir / name).string() + "'"; }

    fs::path dir;
};

}  // namespace cli_process

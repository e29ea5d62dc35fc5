#pragma once

#include <filesystem>

// The program: creates the timer service, the scene and the main window, runs
// the main window modally and takes everything down again in reverse order.
class QlApp {
public:
    QlApp(int& argc, char** argv);
    QlApp(const QlApp&) = delete;
    QlApp& operator=(const QlApp&) = delete;

    int Run();

private:
    // The map file named on the command line, empty if none.
    std::filesystem::path StartFile() const;

    int& argc_;
    char** argv_;
};

#pragma once

#include <QGuiApplication>

#include <memory>

// A QGuiApplication on the offscreen platform: fonts and painting for
// programs that draw without a display (the command-line tool, benchmarks).
class OffscreenGui {
public:
    explicit OffscreenGui(const char* programName);
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    int argc_ = 3;
    char* argv_[4];
    std::unique_ptr<QGuiApplication> application_;
};

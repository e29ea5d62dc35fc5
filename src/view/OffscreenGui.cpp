#include "view/OffscreenGui.h"

OffscreenGui::OffscreenGui(const char* programName)
{
    static char platformOption[] = "-platform";
    static char platformName[] = "offscreen";
    argv_[0] = const_cast<char*>(programName);
    argv_[1] = platformOption;
    argv_[2] = platformName;
    argv_[3] = nullptr;
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

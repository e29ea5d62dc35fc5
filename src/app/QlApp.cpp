#include "app/QlApp.h"

#include "app/CommandLineMapFile.h"
#include "app/MainDlg.h"
#include "app/QtThreadTimer.h"
#include "app/UiLanguage.h"
#include "config/AppConfig.h"
#include "msg/MsgCenter.h"
#include "msg/TimerCenter.h"
#include "platform/AppFolders.h"
#include "scene/Scene.h"
#include "view/QtText.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <clocale>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TimerCenter::BoxAnswer AskAboutTimerException(const std::string& caption, const UiText& text)
{
    QMessageBox box(QMessageBox::NoIcon, FromModelText(caption), Translated(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TimerCenter::BoxAnswer::Yes;
    case QMessageBox::No:
        return TimerCenter::BoxAnswer::No;
    default:
        return TimerCenter::BoxAnswer::Cancel;
    }
}

}  // namespace

QlApp::QlApp(int& argc, char** argv) : argc_(argc), argv_(argv) {}

std::filesystem::path QlApp::StartFile() const
{
#ifdef _WIN32
    return std::filesystem::path(CommandLineMapFile::FromWindowsCommandLine(GetCommandLineW()));
#else
    // QApplication has taken its own options out of argv by now.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc_; ++i)
        arguments.emplace_back(argv_[i]);
    return std::filesystem::path(CommandLineMapFile::FromArguments(arguments));
#endif
}

int QlApp::Run()
{
    // The center first, so that it outlives the other singletons at exit and
    // the settings are written while it still exists.
    MsgCenter& center = MsgCenter::Instance();

    QApplication application(argc_, argv_);
    application.setWindowIcon(QIcon(QStringLiteral(":/icons/quarrinlayvane.png")));
    application.setDesktopFileName(QStringLiteral("quarrinlayvane"));
    const UiLanguage language(UiLanguage::Choose(AppConfig::Instance().language, QLocale::system()));
    // Map files and settings are read and written with the C locale's number format.
    std::setlocale(LC_ALL, "C");

    auto timers = std::make_unique<TimerCenter>(&center, std::make_unique<QtThreadTimer>());
    timers->SetExceptionBox(&AskAboutTimerException);
    auto scene = std::make_unique<Scene>(center);
    auto mainDlg = std::make_unique<MainDlg>(center, *scene, AppConfig::Instance());
    const platform::AppFolders folders = platform::AppFolders::Find();
    // Installed, the user's folders may not exist yet; the settings are written there at exit.
    platform::AppFolders::MakeWritableFolders(folders);
    mainDlg->CreatePanels(folders);
    mainDlg->OpenStartFile(StartFile());
    mainDlg->exec();

    mainDlg.reset();
    scene.reset();
    timers->Stop();
    timers.reset();
    return 0;
}

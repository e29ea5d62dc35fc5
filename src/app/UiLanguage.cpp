#include "app/UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>

UiLanguage::Language UiLanguage::Choose(const std::string& setting, const QLocale& system)
{
    if (setting == "zh")
        return Language::Chinese;
    if (setting == "en")
        return Language::English;
    return system.language() == QLocale::Chinese || system.language() == QLocale::C ? Language::Chinese
                                                                                      : Language::English;
}

UiLanguage::UiLanguage(Language language)
{
    const QLocale locale(language == Language::English ? QStringLiteral("en") : QStringLiteral("zh_CN"));
    // Our texts are Chinese in the code; only English needs a translation.
    if (language == Language::English) {
        oursLoaded_ = ours_.load(QStringLiteral(":/i18n/quarrinlayvane_en.qm"));
        if (oursLoaded_)
            QCoreApplication::installTranslator(&ours_);
    }
    // Qt's own dialogs and buttons (open, save, colour, OK, Cancel) in the same language.
    qtsLoaded_ = qts_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtsLoaded_)
        QCoreApplication::installTranslator(&qts_);
}

UiLanguage::~UiLanguage()
{
    QCoreApplication::removeTranslator(&ours_);
    QCoreApplication::removeTranslator(&qts_);
}

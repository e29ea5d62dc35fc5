#pragma once

#include <QLocale>
#include <QTranslator>

#include <string>

// The language of the windows: Simplified Chinese, the language the texts are
// written in, or English. Files the program writes never depend on it.
class UiLanguage {
public:
    enum class Language { Chinese, English };

    // The setting ("zh" or "en") wins; otherwise Chinese locales and the bare
    // C locale keep Chinese, every other locale gets English.
    static Language Choose(const std::string& setting, const QLocale& system);

    // Installs the translations of our windows and of Qt's own dialogs for
    // the language; they stay installed while this object lives.
    explicit UiLanguage(Language language);
    ~UiLanguage();
    UiLanguage(const UiLanguage&) = delete;
    UiLanguage& operator=(const UiLanguage&) = delete;

    bool OursLoaded() const { return oursLoaded_; }
    bool QtsLoaded() const { return qtsLoaded_; }

private:
    QTranslator ours_;
    QTranslator qts_;
    bool oursLoaded_ = false;
    bool qtsLoaded_ = false;
};

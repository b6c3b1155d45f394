#pragma once

#include <QLocale>
#include <QTranslator>

#include "platform/Texts.h"

// The program's translation for the locale (embedded under :/translations) and Qt's own
// for its standard dialogs, installed on the application and as the plain C++ layers'
// translator. Made once in main(), after the application object, before any thread; a
// locale without a translation (English among them) installs nothing and reads English.
class QtTranslations : public Translator {
public:
    explicit QtTranslations(const QLocale& locale = QLocale());
    ~QtTranslations() override;
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // For a program that made its application object after this: the terminal front end
    // reads its options, and may print its help, before it makes one.
    void installOnApplication();

    std::string translate(const char* context, const char* source, const char* plural,
                          std::uint64_t n) const override;
    // The language whose translation was found ("de", "fr"), or empty for English.
    QString language() const;

private:
    QTranslator program_;
    QTranslator qt_;
};

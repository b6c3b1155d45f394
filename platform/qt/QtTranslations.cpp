#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <limits>

QtTranslations::QtTranslations(const QLocale& locale) {
    // load() tries the locale's UI languages in turn (LANGUAGE, then LC_ALL, LC_MESSAGES,
    // LANG), each from the most specific name down to the bare language.
    // Qt's own only beside the program's: a dialog half in another language helps nobody.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (program_.load(locale, "zurizede", "_", ":/translations") &&
        !qt_.load(locale, "qtbase", "_", qtFolder))
        qWarning("No Qt translation for %s in %s", qPrintable(program_.language()),
                 qPrintable(qtFolder));
    installTranslator(this);
    if (QCoreApplication::instance() != nullptr)
        installOnApplication();
}

void QtTranslations::installOnApplication() {
    if (!program_.isEmpty())
        QCoreApplication::installTranslator(&program_);
    if (!qt_.isEmpty())
        QCoreApplication::installTranslator(&qt_);
}

QtTranslations::~QtTranslations() {
    installTranslator(nullptr);
}

std::string QtTranslations::translate(const char* context, const char* source, const char* plural,
                                      std::uint64_t n) const {
    if (program_.isEmpty())
        return {};
    // Qt chooses a plural form by an int; every count past its range takes the same form.
    const int form = plural == nullptr ? -1
                     : n > std::uint64_t(std::numeric_limits<int>::max())
                         ? std::numeric_limits<int>::max()
                         : int(n);
    return program_.translate(context, source, plural, form).toStdString();
}

QString QtTranslations::language() const {
    return program_.isEmpty() ? QString() : program_.language();
}

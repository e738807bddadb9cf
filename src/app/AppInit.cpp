#include "app/AppInit.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void InitApplication() {
    QApplication::setApplicationName(QStringLiteral("Velorin"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(VELORIN_VERSION_MAJOR).arg(VELORIN_VERSION_MINOR).arg(VELORIN_VERSION_PATCH));
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));

    // Czech captions for Qt's own buttons and dialogs (Ano/Ne, file and print dialogs).
    static QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

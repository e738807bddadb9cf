#include "app/AppInit.h"

#include "common/CzechFormat.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's Czech translation names the Insert key "Insert"; menus show it as "Ins", as the command
// table and the toolbar hint do. Installed after Qt's translation, it is asked first.
class KeyNames : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* = nullptr, int = -1) const override {
        if (qstrcmp(context, "QShortcut") == 0 && qstrcmp(sourceText, "Ins") == 0)
            return QStringLiteral("Ins");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

void InitApplication() {
    QApplication::setApplicationName(QStringLiteral("Velorin"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(VELORIN_VERSION_MAJOR).arg(VELORIN_VERSION_MINOR).arg(VELORIN_VERSION_PATCH));
    QLocale::setDefault(CzechFormat::Locale());

    // Czech captions for Qt's own buttons and dialogs (Ano/Ne, file and print dialogs).
    static QTranslator qtTranslator;
    if (qtTranslator.load(CzechFormat::Locale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    static KeyNames keyNames;
    QApplication::installTranslator(&keyNames);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

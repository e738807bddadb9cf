#include "app/AppInit.h"

#include "common/CzechFormat.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

struct OwnText {
    const char* source;
    const char* czech;
};

// What Qt's Czech translation leaves in English in the print dialog and its properties.
constexpr OwnText kPrintDialogTexts[] = {
    {"Pages", "Strany"},
    {"Double Sided Printing", "Oboustranný tisk"},
    {"Off", "Vypnuto"},
    {"Long side binding", "Vazba podél delší strany"},
    {"Short side binding", "Vazba podél kratší strany"},
    {"Advanced", "Pokročilé"},
};

// Installed after Qt's translation, it is asked first. Qt's Czech names the Insert key "Insert";
// menus show it as "Ins", as the command table and the toolbar hint do.
class OwnCzech : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* = nullptr, int = -1) const override {
        if (qstrcmp(context, "QShortcut") == 0 && qstrcmp(sourceText, "Ins") == 0)
            return QStringLiteral("Ins");
        // Only the print dialog's own classes: "Off" or "Pages" elsewhere is not ours to answer.
        const QLatin1String ctx(context);
        if (ctx.startsWith(QLatin1String("QPrint")) || ctx.startsWith(QLatin1String("QUnixPrint")) ||
            ctx.startsWith(QLatin1String("QCups")) || ctx.startsWith(QLatin1String("QPPD"))) {
            for (const OwnText& t : kPrintDialogTexts)
                if (qstrcmp(sourceText, t.source) == 0)
                    return QString::fromUtf8(t.czech);
        }
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
    static OwnCzech ownCzech;
    QApplication::installTranslator(&ownCzech);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
}

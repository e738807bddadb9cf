#include "invoice/InvoicePayment.h"

#include "common/Cp1250.h"
#include "common/TextFunctions.h"
#include "qr/QrPlatba.h"

#include <QRegularExpression>

namespace InvoiceText {

QString Field(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            out += u'?';
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSpace()) {
            out += u' ';
        } else if (c == u'|') {
            out += u'/';
        } else if (!Cp1250::CanEncode(QString(c))) {
            const QString ascii = AsciiText(QString(c), u'?');
            out += ascii.isEmpty() ? QStringLiteral("?") : ascii;
        } else {
            out += c;
        }
    }
    return out.simplified();
}

QString Comment(const QString& invoiceNumber, const QString& supplier) {
    QStringList parts;
    if (const QString number = Field(invoiceNumber); !number.isEmpty())
        parts << QStringLiteral("Faktura ") + number;
    if (const QString name = Field(supplier); !name.isEmpty())
        parts << name;
    return parts.join(QStringLiteral(", ")).left(QrPlatba::kMaxMessage).trimmed();
}

std::optional<qint64> ParseHundredths(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^([+-]?)([0-9]{1,13})(?:\\.([0-9]{1,20}))?$"));
    const QRegularExpressionMatch m = number.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QString decimals = m.captured(3);
    if (decimals.size() > 2) {
        for (const QChar d : QStringView(decimals).mid(2))
            if (d != u'0')
                return std::nullopt;
        decimals.truncate(2);
    }
    const qint64 value = m.captured(2).toLongLong() * 100 + decimals.leftJustified(2, u'0').toLongLong();
    return m.captured(1) == QLatin1String("-") ? -value : value;
}

QString AmountText(qint64 hundredths) {
    const qint64 whole = hundredths / 100;
    const qint64 cents = (hundredths < 0 ? -hundredths : hundredths) % 100;
    const QString sign = hundredths < 0 && whole == 0 ? QStringLiteral("-") : QString();
    return sign + QString::number(whole) + u',' + QString::number(cents).rightJustified(2, u'0');
}

bool IsForeignCurrency(const QString& code, const QString& currencyLabel) {
    const QString c = code.trimmed().toUpper();
    if (c.isEmpty())
        return false;
    QString own = currencyLabel.trimmed().toUpper();
    if (own == QStringLiteral("KČ") || own.isEmpty())
        own = QStringLiteral("CZK");
    return c != own;
}

} // namespace InvoiceText

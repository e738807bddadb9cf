#include "invoice/Spayd.h"

#include "bank/Iban.h"
#include "qr/QrPlatba.h"

namespace Spayd {

namespace {

// Values escape with %XX (at least "*" as %2A); the bytes are UTF-8.
QString Unescape(const QString& value) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value.toUtf8()));
}

InvoiceFindings Refused(const QString& problem) {
    InvoiceFindings found;
    found.Problem = problem;
    return found;
}

} // namespace

bool IsSpayd(const QString& text) {
    return text.trimmed().startsWith(QLatin1String("SPD*"), Qt::CaseInsensitive);
}

InvoiceFindings Parse(const QString& text) {
    const QString trimmed = text.trimmed();
    if (!IsSpayd(trimmed))
        return Refused(QStringLiteral("QR kód není QR Platba (jeho text nezačíná „SPD*“)."));
    const QStringList parts = trimmed.split(u'*');
    if (parts.size() < 2 || parts[1] != QLatin1String("1.0"))
        return Refused(QStringLiteral("QR Platba ve verzi „%1“ není známá (zná se 1.0).")
                           .arg(InvoiceText::Field(parts.value(1)).left(20)));
    QrPlatba::Fields fields;
    QString crc;
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() && i == parts.size() - 1)
            break; // a closing "*"
        const qsizetype colon = part.indexOf(u':');
        if (colon <= 0)
            return Refused(QStringLiteral("QR Platba je poškozená: pole „%1“ nemá tvar KLÍČ:hodnota.")
                               .arg(InvoiceText::Field(part).left(30)));
        const QString key = part.left(colon);
        if (key.compare(QLatin1String("CRC32"), Qt::CaseInsensitive) == 0)
            crc = part.mid(colon + 1).toUpper();
        else
            fields.append({key, part.mid(colon + 1)});
    }
    if (!crc.isEmpty()) {
        // The checksum is taken of the fields sorted by key, with their values as written.
        const quint32 expected = QrPlatba::Crc32(QrPlatba::CanonicalText(fields).toUtf8());
        if (crc != QStringLiteral("%1").arg(expected, 8, 16, QLatin1Char('0')).toUpper())
            return Refused(QStringLiteral("Kontrolní součet QR Platby (CRC32) nesouhlasí: kód je poškozený nebo "
                                          "pozměněný."));
    }
    auto value = [&fields](const char* key) {
        for (const auto& [k, v] : fields)
            if (k.compare(QLatin1String(key), Qt::CaseInsensitive) == 0)
                return Unescape(v);
        return QString();
    };

    InvoicePayment payment;
    payment.Source = InvoiceText::kSourceQr;
    const QString account = value("ACC");
    if (account.isEmpty())
        return Refused(QStringLiteral("QR Platba neobsahuje účet příjemce (ACC)."));
    const QString iban = account.section(u'+', 0, 0).remove(u' ').toUpper();
    if (!iban.startsWith(QLatin1String("CZ")))
        return Refused(QStringLiteral("Účet %1 v QR Platbě není český; tuzemský příkaz platí jen na české účty.")
                           .arg(InvoiceText::Field(iban).left(40)));
    const std::optional<CzechIbanParts> czech = ParseCzechIban(iban);
    if (!czech)
        return Refused(QStringLiteral("IBAN %1 v QR Platbě není platný.").arg(InvoiceText::Field(iban).left(40)));
    payment.Item.Account = czech->Account;
    payment.Item.BankCode = czech->BankCode;

    if (const QString am = value("AM"); !am.isEmpty()) {
        const std::optional<qint64> amount = am.size() <= 10 ? InvoiceText::ParseHundredths(am) : std::nullopt;
        if (!amount || *amount <= 0)
            return Refused(QStringLiteral("Částka „%1“ v QR Platbě není kladné číslo.").arg(InvoiceText::Field(am)));
        payment.Item.Amount = InvoiceText::AmountText(*amount);
    } else {
        payment.Notes << QStringLiteral("QR Platba neuvádí částku; doplňte ji.");
    }
    payment.Currency = InvoiceText::Field(value("CC")).toUpper();
    if (payment.Currency.isEmpty())
        payment.Currency = QStringLiteral("CZK");
    payment.Item.VariableSymbol = InvoiceText::Field(value("X-VS"));
    payment.Item.SpecificSymbol = InvoiceText::Field(value("X-SS"));
    payment.Item.ConstantSymbol = InvoiceText::Field(value("X-KS"));
    payment.Item.Comment = InvoiceText::Field(value("MSG"));
    if (const QString dt = value("DT"); !dt.isEmpty())
        payment.DueDate = QDate::fromString(dt, QStringLiteral("yyyyMMdd"));

    InvoiceFindings found;
    found.Payments.push_back(std::move(payment));
    return found;
}

} // namespace Spayd

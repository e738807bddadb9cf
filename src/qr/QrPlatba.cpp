#include "qr/QrPlatba.h"

#include "bank/BankRegister.h"
#include "bank/CzechAccount.h"
#include "bank/Iban.h"
#include "bank/PaymentChecks.h"
#include "common/CzechFormat.h"
#include "common/TextFunctions.h"

#include <algorithm>
#include <array>

namespace QrPlatba {

namespace {

// Letters Unicode does not decompose into a base letter and a mark.
// Upper-case ASCII without control characters: several banking apps reject or misread anything else.
QString PlainAscii(const QString& text) {
    QString out = AsciiText(text, u'?');
    for (QChar& c : out) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return out.toUpper();
}

QString Escaped(QChar c) {
    if (c == QLatin1Char('%'))
        return QStringLiteral("%25");
    if (c == QLatin1Char('*'))
        return QStringLiteral("%2A");
    if (c == QLatin1Char('+'))
        return QStringLiteral("%2B");
    return QString(c);
}

// The code's symbols are numbers of up to ten digits; a reader takes nothing else.
QString SymbolProblem(const QString& value, const char* name) {
    const QString v = value.trimmed();
    if (v.isEmpty() || (v.size() <= 10 && AllAsciiDigits(v)))
        return {};
    return QStringLiteral("%1 „%2“ smí mít nejvýše 10 číslic a nic jiného.").arg(QString::fromUtf8(name), v);
}

} // namespace

QString SpaydValue(const QString& text) {
    QString out;
    for (const QChar c : PlainAscii(text))
        out += Escaped(c);
    return out;
}

QString SpaydMessage(const QString& comment) {
    QString out;
    for (const QChar c : PlainAscii(comment).simplified()) {
        const QString e = Escaped(c);
        if (out.size() + e.size() > kMaxMessage)
            break;
        out += e;
    }
    return out;
}

QString BankWarning(const OrderItem& item, const BankRegister& banks) {
    const QString code = item.BankCode.trimmed();
    if (!banks.Find(code))
        return QStringLiteral("Kód banky %1 není v seznamu bank; ověřte jej, než platbu odešlete.").arg(code);
    if (const QString clearing = BankClearingProblem(code, banks); !clearing.isEmpty())
        return clearing + QStringLiteral("; platba na tento účet nemusí projít.");
    return {};
}

quint32 Crc32(const QByteArray& bytes) {
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char b : bytes)
        crc = table[(crc ^ quint8(b)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QString CanonicalText(Fields fields) {
    std::stable_sort(fields.begin(), fields.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QString text = QStringLiteral("SPD*1.0");
    for (const auto& [key, value] : fields)
        text += QLatin1Char('*') + key + QLatin1Char(':') + value;
    return text;
}

QString ComposeText(const Fields& fields) {
    QString text = QStringLiteral("SPD*1.0");
    for (const auto& [key, value] : fields)
        text += QLatin1Char('*') + key + QLatin1Char(':') + value;
    const quint32 crc = Crc32(CanonicalText(fields).toLatin1());
    return text + QStringLiteral("*CRC32:") + QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0')).toUpper();
}

QString SpaydAmount(const QString& amount) {
    // Rounded as the ABO file rounds it, so that the code and the file ask for the same sum.
    const std::optional<qint64> halers = CzechFormat::ParseHalers(amount);
    // AM holds at most ten characters: 9999999.99. Less than half a haléř would be 0.00: no payment.
    if (!halers || *halers <= 0 || *halers > 999'999'999)
        return {};
    return QStringLiteral("%1.%2").arg(*halers / 100).arg(*halers % 100, 2, 10, QLatin1Char('0'));
}

QString CurrencyProblem(const QString& currencyLabel) {
    const QString currency = currencyLabel.trimmed();
    if (currency.compare(QStringLiteral("Kč"), Qt::CaseInsensitive) != 0 &&
        currency.compare(QLatin1String("CZK"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("QR Platba platí jen v korunách (Kč, CZK); měna v konfiguraci je „%1“.").arg(currency);
    return {};
}

QString FormattedIban(const OrderItem& item) {
    return FormatIban(CzechIban(item.Account.trimmed(), item.BankCode.trimmed()));
}

QString SymbolsText(const OrderItem& item) {
    QStringList parts;
    const std::pair<const char*, const QString*> symbols[] = {
        {"VS", &item.VariableSymbol}, {"KS", &item.ConstantSymbol}, {"SS", &item.SpecificSymbol}};
    for (const auto& [label, value] : symbols)
        if (!value->trimmed().isEmpty())
            parts << QLatin1String(label) + QStringLiteral(": ") + value->trimmed();
    return parts.join(QStringLiteral("   "));
}

QString Problem(const OrderItem& item, const QString& currencyLabel) {
    if (QString currency = CurrencyProblem(currencyLabel); !currency.isEmpty())
        return currency;
    if (item.Account.trimmed().isEmpty())
        return QStringLiteral("Položka nemá číslo účtu příjemce.");
    if (item.Amount.trimmed().isEmpty())
        return QStringLiteral("Položka nemá částku.");
    const std::optional<double> amount = CzechFormat::ParseNumber(item.Amount);
    if (!amount)
        return QStringLiteral("Částka „%1“ není číslo.").arg(item.Amount);
    if (SpaydAmount(item.Amount).isEmpty())
        return *amount < 1.0 ? QStringLiteral("Částka musí být větší než nula.")
                             : QStringLiteral("Částka je pro QR Platbu příliš velká (nejvýše 9 999 999,99).");
    if (const AccountProblem p = CheckCzechAccount(item.Account.trimmed()); p != AccountProblem::None)
        return AccountProblemText(p) + QLatin1Char('.');
    if (CzechIban(item.Account.trimmed(), item.BankCode.trimmed()).isEmpty())
        return QStringLiteral("Směrový kód „%1“ není čtyřmístné číslo banky.").arg(item.BankCode);
    for (const auto& [value, name] :
         {std::pair{&item.VariableSymbol, "Variabilní symbol"}, std::pair{&item.SpecificSymbol, "Specifický symbol"},
          std::pair{&item.ConstantSymbol, "Konstantní symbol"}})
        if (QString problem = SymbolProblem(*value, name); !problem.isEmpty())
            return problem;
    return {};
}

QString SpaydText(const OrderItem& item, const QString& orderDate) {
    // The currency label does not matter here: the caller asks Problem() with it first.
    if (!Problem(item, QStringLiteral("CZK")).isEmpty())
        return {};
    Fields fields;
    fields.append({QStringLiteral("ACC"), CzechIban(item.Account.trimmed(), item.BankCode.trimmed())});
    fields.append({QStringLiteral("AM"), SpaydAmount(item.Amount)});
    fields.append({QStringLiteral("CC"), QStringLiteral("CZK")});
    if (const std::optional<QDate> due = CzechFormat::ParseDate(orderDate))
        fields.append({QStringLiteral("DT"), due->toString(QStringLiteral("yyyyMMdd"))});
    if (const QString message = SpaydMessage(item.Comment); !message.isEmpty())
        fields.append({QStringLiteral("MSG"), message});
    const std::pair<const char*, const QString*> symbols[] = {
        {"X-VS", &item.VariableSymbol}, {"X-SS", &item.SpecificSymbol}, {"X-KS", &item.ConstantSymbol}};
    for (const auto& [key, value] : symbols)
        if (!value->trimmed().isEmpty())
            fields.append({QLatin1String(key), SpaydValue(value->trimmed())});
    return ComposeText(fields);
}

ItemCode CodeOfItem(const OrderItem& item, const QString& orderDate, const QString& currencyLabel) {
    ItemCode result;
    result.problem = Problem(item, currencyLabel);
    if (!result.problem.isEmpty())
        return result;
    result.text = SpaydText(item, orderDate);
    result.code = QrCode::Encode(result.text);
    if (!result.code) {
        result.problem = QStringLiteral("Text platby se nevejde do QR kódu.");
        result.text.clear();
    }
    return result;
}

} // namespace QrPlatba

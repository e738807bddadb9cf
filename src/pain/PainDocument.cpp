#include "pain/PainDocument.h"

#include "bank/BankRegister.h"
#include "bank/Iban.h"
#include "common/CzechFormat.h"
#include "common/TextFunctions.h"

#include <QRegularExpression>

namespace {

PainDocumentSeam& DocumentSeam() {
    static PainDocumentSeam seam;
    return seam;
}

bool IsSepaChar(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           QStringView(u"/-?:().,'+ ").contains(QChar(char16_t(c)));
}

// What SEPA cannot carry, spelt out where people have a usual spelling and AsciiText's spelling
// (€ EUR, § par., ‘ ', – -, …) would not do.
struct SepaSpelling {
    char32_t c;
    const char* text;
};
constexpr SepaSpelling kSepaSpellings[] = {
    {U'&', "+"}, {U'%', "proc."}, {U'@', "(at)"}, {U'"', "'"}, {U'„', "'"},  {U'“', "'"}, {U'”', "'"},   {U'_', "-"},
    {U'*', "."}, {U'#', "c."},    {U';', ","},    {U'!', "."}, {U'=', "-"},  {U'<', "("}, {U'>', ")"},   {U'[', "("},
    {U']', ")"}, {U'{', "("},     {U'}', ")"},    {U'|', "/"}, {U'\\', "/"}, {U'~', "-"}, {U'$', "USD"},
};

// One character in the SEPA set: itself, a letter without its marks, a spelling, or "?". Sets named
// when the character had to be put otherwise than by dropping a mark.
QString SepaForm(char32_t c, bool& named) {
    named = false;
    if (IsSepaChar(c))
        return QString::fromUcs4(&c, 1);
    for (const SepaSpelling& s : kSepaSpellings) {
        if (s.c == c) {
            named = true;
            return QString::fromUtf8(s.text);
        }
    }
    const QString ascii = AsciiText(QString::fromUcs4(&c, 1), u'?');
    bool plain = !ascii.isEmpty();
    for (const QChar a : ascii)
        plain = plain && IsSepaChar(a.unicode());
    if (plain && QChar::isLetter(c))
        return ascii;
    named = true;
    return plain ? ascii : QStringLiteral("?");
}

QString Escaped(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&apos;"));
}

// The document as text, one element a line, indented by its depth.
class XmlOut {
public:
    void open(const char* name, const QString& attributes = {}) {
        line(QLatin1Char('<') + QLatin1String(name) + attributes + QLatin1Char('>'));
        ++m_depth;
    }
    void close(const char* name) {
        --m_depth;
        line(QStringLiteral("</") + QLatin1String(name) + QLatin1Char('>'));
    }
    void leaf(const char* name, const QString& value, const QString& attributes = {}) {
        line(QLatin1Char('<') + QLatin1String(name) + attributes + QLatin1Char('>') + Escaped(value) +
             QStringLiteral("</") + QLatin1String(name) + QLatin1Char('>'));
    }
    // <a><b>value</b></a> for a path "a/b".
    void path(const QStringList& names, const QString& value) {
        for (qsizetype i = 0; i + 1 < names.size(); ++i)
            open(qPrintable(names[i]));
        leaf(qPrintable(names.last()), value);
        for (qsizetype i = names.size() - 2; i >= 0; --i)
            close(qPrintable(names[i]));
    }
    void line(const QString& text) { m_text += QString(m_depth * 2, QLatin1Char(' ')) + text + QLatin1Char('\n'); }
    QByteArray bytes() const { return m_text.toUtf8(); }

private:
    QString m_text;
    int m_depth = 0;
};

// A bank's BIC as the schema takes it; empty when the list has none or a malformed one.
QString BicOf(const BankRegister& banks, const QString& bankCode) {
    static const QRegularExpression bic(QStringLiteral("^[A-Z]{6}[A-Z2-9][A-NP-Z0-9]([A-Z0-9]{3})?$"));
    const BankInfo* bank = banks.Find(bankCode.trimmed());
    return bank && bic.match(bank->Bic.trimmed()).hasMatch() ? bank->Bic.trimmed() : QString();
}

// Notes of one field: "Řádek 2: zpráva zkrácena na 140 znaků; znaky „&“ zapsány jinak".
void Note(QStringList& notes, const QString& where, const QString& what, const PainText& text, int maxLength) {
    if (text.cut)
        notes << QStringLiteral("%1: %2 – zkráceno na %3 znaků").arg(where, what).arg(maxLength);
    if (!text.replaced.isEmpty()) {
        QStringList chars;
        for (const char32_t c : text.replaced.toUcs4())
            chars << QStringLiteral("„%1“").arg(QString::fromUcs4(&c, 1));
        notes << QStringLiteral("%1: %2 – znaky %3 zapsány jinak").arg(where, what, chars.join(QStringLiteral(", ")));
    }
}

const char* const kNotProvided = "NOTPROVIDED";

} // namespace

QString PainProfileName(PainProfile profile) {
    return profile == PainProfile::Sepa ? QStringLiteral("SEPA (EUR)") : QStringLiteral("ČBA (CZK)");
}

QString PainCurrency(PainProfile profile) {
    return profile == PainProfile::Sepa ? QStringLiteral("EUR") : QStringLiteral("CZK");
}

PainProfile ReadPainProfile(const Settings& settings) {
    const QString stored = ReadSettingsKey(settings, SettingsKeys::PainProfile).value_or(QString()).trimmed();
    if (stored.compare(QLatin1String("SEPA"), Qt::CaseInsensitive) == 0)
        return PainProfile::Sepa;
    if (stored.compare(QLatin1String("CBA"), Qt::CaseInsensitive) == 0)
        return PainProfile::Cba;
    return settings.Mena.trimmed().compare(QLatin1String("EUR"), Qt::CaseInsensitive) == 0 ? PainProfile::Sepa
                                                                                           : PainProfile::Cba;
}

void WritePainProfile(const Settings& settings, PainProfile profile) {
    WriteSettingsKey(settings, SettingsKeys::PainProfile,
                     profile == PainProfile::Sepa ? QStringLiteral("SEPA") : QStringLiteral("CBA"));
}

PainText PainFieldText(const QString& text, int maxLength, PainProfile profile) {
    PainText result;
    QString out;
    for (char32_t c : text.toUcs4()) {
        if (c < 0x20 || c == 0x7F)
            c = U' ';
        if (profile == PainProfile::Cba) {
            out += QString::fromUcs4(&c, 1);
            continue;
        }
        bool named = false;
        out += SepaForm(c, named);
        if (named && !result.replaced.contains(QString::fromUcs4(&c, 1)))
            result.replaced += QString::fromUcs4(&c, 1);
    }
    out = out.trimmed();
    // Counted in characters as the schema counts them; a pair of surrogates is one.
    const QList<uint> chars = out.toUcs4();
    if (chars.size() > maxLength) {
        result.cut = true;
        out = QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), maxLength).trimmed();
    }
    result.text = out;
    return result;
}

bool IsPainItem(const OrderItem& item) {
    return item.isValidItem() && item.isAmountRow();
}

QString PainExportProblem(const PaymentOrder& order, const Settings& settings) {
    const QString prefix = QStringLiteral("Export XML nelze generovat. ");
    if (settings.CisloUctu.isEmpty())
        return prefix + QStringLiteral("Není zadáno číslo účtu plátce.");
    if (settings.SmerovyKod.isEmpty())
        return prefix + QStringLiteral("Není zadán směrový kód banky.");
    if (CzechIban(settings.CisloUctu.trimmed(), settings.SmerovyKod.trimmed()).isEmpty())
        return prefix + QStringLiteral("Účet plátce „%1/%2“ nelze zapsat jako IBAN.")
                            .arg(settings.CisloUctu, settings.SmerovyKod);
    bool any = false;
    for (int row = 0; row < kItemCount; ++row) {
        const OrderItem& item = order.Items[std::size_t(row)];
        if (!IsPainItem(item))
            continue;
        any = true;
        const QString rowText = QString::number(row + 1);
        if (!CzechFormat::ParseHalers(item.Amount)) {
            const std::optional<double> value = CzechFormat::ParseNumber(item.Amount);
            const QString why = !value       ? QStringLiteral("není číslo")
                                : *value < 0 ? QStringLiteral("je záporná")
                                             : QStringLiteral("je příliš velká");
            return prefix + QStringLiteral("Částka „%1“ v řádku %2 %3.").arg(item.Amount, rowText, why);
        }
        if (CzechIban(item.Account.trimmed(), item.BankCode.trimmed()).isEmpty())
            return prefix + QStringLiteral("Účet příjemce „%1/%2“ v řádku %3 nelze zapsat jako IBAN.")
                                .arg(item.Account, item.BankCode, rowText);
    }
    if (!any)
        return prefix + QStringLiteral("Není vyplněna ani jedna platná položka s částkou k platbě.");
    if (!CzechFormat::ParseDate(order.OrderDate))
        return prefix + QStringLiteral("Datum příkazu „%1“ není platné datum.").arg(order.OrderDate);
    return QString();
}

QString PainMessageId(const PaymentOrder& order, int dayNumber) {
    const QString number = QLatin1Char('-') + QString::number(dayNumber);
    QString designation = PainFieldText(order.Designation(), kMax35, PainProfile::Sepa).text;
    designation.replace(QLatin1Char(' '), QLatin1Char('-'));
    if (designation.isEmpty())
        designation = QStringLiteral("PRIKAZ");
    return designation.left(kMax35 - number.size()) + number;
}

PainDocument BuildPainDocument(const PaymentOrder& order, const Settings& settings, const BankRegister& banks,
                               const PainOptions& options) {
    const PainProfile profile = options.profile;
    const bool sepa = profile == PainProfile::Sepa;
    const QString currency = PainCurrency(profile);
    PainDocument doc;
    doc.msgId = PainMessageId(order, options.dayNumber);

    qint64 total = 0;
    for (int row = 0; row < kItemCount; ++row) {
        const OrderItem& item = order.Items[std::size_t(row)];
        if (!IsPainItem(item))
            continue;
        doc.rows << row;
        total += CzechFormat::ParseHalers(item.Amount).value_or(0);
    }
    const QString count = QString::number(doc.rows.size());
    const QDate due = CzechFormat::ParseDate(order.OrderDate).value_or(QDate());

    const PainText client = PainFieldText(settings.NazevKlienta, kMax140, profile);
    Note(doc.notes, QStringLiteral("Plátce"), QStringLiteral("název klienta"), client, kMax140);
    const QString payerBic = BicOf(banks, settings.SmerovyKod);
    if (sepa && payerBic.isEmpty())
        doc.notes << QStringLiteral("Plátce: banka %1 nemá v číselníku BIC").arg(settings.SmerovyKod);

    XmlOut x;
    x.line(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    x.open("Document", QStringLiteral(" xmlns=\"%1\"").arg(QLatin1String(kPainNamespace)));
    x.open("CstmrCdtTrfInitn");
    x.open("GrpHdr");
    x.leaf("MsgId", doc.msgId);
    x.leaf("CreDtTm", options.created.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    x.leaf("NbOfTxs", count);
    x.leaf("CtrlSum", PainAmountText(total));
    if (client.text.isEmpty()) {
        x.line(QStringLiteral("<InitgPty/>"));
    } else {
        x.open("InitgPty");
        x.leaf("Nm", client.text);
        x.close("InitgPty");
    }
    x.close("GrpHdr");

    x.open("PmtInf");
    x.leaf("PmtInfId", doc.msgId);
    x.leaf("PmtMtd", QStringLiteral("TRF"));
    x.leaf("NbOfTxs", count);
    x.leaf("CtrlSum", PainAmountText(total));
    if (sepa)
        x.path({QStringLiteral("PmtTpInf"), QStringLiteral("SvcLvl"), QStringLiteral("Cd")}, QStringLiteral("SEPA"));
    x.leaf("ReqdExctnDt", due.toString(QStringLiteral("yyyy-MM-dd")));
    x.path({QStringLiteral("Dbtr"), QStringLiteral("Nm")},
           client.text.isEmpty() ? QString::fromLatin1(kNotProvided) : client.text);
    x.open("DbtrAcct");
    x.path({QStringLiteral("Id"), QStringLiteral("IBAN")},
           CzechIban(settings.CisloUctu.trimmed(), settings.SmerovyKod.trimmed()));
    x.leaf("Ccy", currency);
    x.close("DbtrAcct");
    if (payerBic.isEmpty())
        x.path({QStringLiteral("DbtrAgt"), QStringLiteral("FinInstnId"), QStringLiteral("Othr"), QStringLiteral("Id")},
               QString::fromLatin1(kNotProvided));
    else
        x.path({QStringLiteral("DbtrAgt"), QStringLiteral("FinInstnId"), QStringLiteral("BIC")}, payerBic);
    if (sepa)
        x.leaf("ChrgBr", QStringLiteral("SLEV"));

    for (const int row : doc.rows) {
        const OrderItem& item = order.Items[std::size_t(row)];
        const QString where = QStringLiteral("Řádek %1").arg(row + 1);
        if (CzechFormat::ParseHalers(item.Amount) == 0)
            doc.notes << QStringLiteral("%1: částka je nulová").arg(where);
        const PainText endToEnd = PainEndToEndId(item, profile);
        Note(doc.notes, where, QStringLiteral("identifikace platby"), endToEnd, kMax35);
        x.open("CdtTrfTxInf");
        x.path({QStringLiteral("PmtId"), QStringLiteral("EndToEndId")}, endToEnd.text);
        x.open("Amt");
        x.leaf("InstdAmt", PainAmountText(CzechFormat::ParseHalers(item.Amount).value_or(0)),
               QStringLiteral(" Ccy=\"%1\"").arg(currency));
        x.close("Amt");
        if (const QString bic = BicOf(banks, item.BankCode); !bic.isEmpty())
            x.path({QStringLiteral("CdtrAgt"), QStringLiteral("FinInstnId"), QStringLiteral("BIC")}, bic);
        else if (sepa)
            doc.notes << QStringLiteral("%1: banka %2 nemá v číselníku BIC").arg(where, item.BankCode);
        // The order keeps no payee's name.
        x.path({QStringLiteral("Cdtr"), QStringLiteral("Nm")}, QString::fromLatin1(kNotProvided));
        x.path({QStringLiteral("CdtrAcct"), QStringLiteral("Id"), QStringLiteral("IBAN")},
               CzechIban(item.Account.trimmed(), item.BankCode.trimmed()));
        const PainText message = PainFieldText(item.Comment, kMax140, profile);
        Note(doc.notes, where, QStringLiteral("zpráva pro příjemce"), message, kMax140);
        const QList<PainText> references = PainReferences(item, profile);
        if (!message.text.isEmpty() || !references.isEmpty()) {
            x.open("RmtInf");
            if (!message.text.isEmpty())
                x.leaf("Ustrd", message.text);
            for (const PainText& reference : references) {
                Note(doc.notes, where, QStringLiteral("symbol"), reference, kMax35);
                x.path({QStringLiteral("Strd"), QStringLiteral("CdtrRefInf"), QStringLiteral("Ref")}, reference.text);
            }
            x.close("RmtInf");
        }
        x.close("CdtTrfTxInf");
    }
    x.close("PmtInf");
    x.close("CstmrCdtTrfInitn");
    x.close("Document");
    doc.xml = x.bytes();
    if (DocumentSeam())
        DocumentSeam()(doc.xml);
    return doc;
}

PainText PainEndToEndId(const OrderItem& item, PainProfile profile) {
    QString id;
    if (profile == PainProfile::Cba) {
        if (!item.VariableSymbol.trimmed().isEmpty())
            id = QStringLiteral("VS") + item.VariableSymbol.trimmed();
    } else {
        const std::pair<const char*, const QString*> symbols[] = {
            {"/VS", &item.VariableSymbol}, {"/SS", &item.SpecificSymbol}, {"/KS", &item.ConstantSymbol}};
        for (const auto& [label, value] : symbols)
            if (!value->trimmed().isEmpty())
                id += QLatin1String(label) + value->trimmed();
    }
    PainText text = PainFieldText(id, kMax35, profile);
    if (text.text.isEmpty())
        text.text = QString::fromLatin1(kNotProvided);
    return text;
}

QList<PainText> PainReferences(const OrderItem& item, PainProfile profile) {
    QList<PainText> references;
    if (profile != PainProfile::Cba)
        return references;
    const std::pair<const char*, const QString*> symbols[] = {
        {"VS:", &item.VariableSymbol}, {"KS:", &item.ConstantSymbol}, {"SS:", &item.SpecificSymbol}};
    for (const auto& [label, value] : symbols)
        if (!value->trimmed().isEmpty())
            references << PainFieldText(QLatin1String(label) + value->trimmed(), kMax35, profile);
    return references;
}

SeamGuard SetPainDocumentSeam(PainDocumentSeam seam) {
    PainDocumentSeam before = std::exchange(DocumentSeam(), std::move(seam));
    return SeamGuard([before = std::move(before)]() mutable { DocumentSeam() = std::move(before); });
}

int PainFilesExportedOn(const Settings& settings, const QDate& day) {
    return ReadDayCount(settings, SettingsKeys::PainDayCount, day);
}

void RecordPainFileExported(const Settings& settings, const QDate& day, int dayNumber) {
    WriteDayCount(settings, SettingsKeys::PainDayCount, day, dayNumber);
}

QString PainAmountText(qint64 halers) {
    return QStringLiteral("%1.%2").arg(halers / 100).arg(halers % 100, 2, 10, QLatin1Char('0'));
}

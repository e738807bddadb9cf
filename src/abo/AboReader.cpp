#include "abo/AboReader.h"

#include "abo/AboWriter.h"
#include "common/CzechFormat.h"
#include "common/TextFunctions.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

constexpr int kMessageWidth = 35;
const QString kAccount = QStringLiteral("(\\d{6}-\\d{10})");

QString AtLine(int line, const QString& what) {
    return QStringLiteral("řádek %1: %2").arg(line).arg(what);
}

// "ddmmyy" of this century, as the writer makes it.
std::optional<QDate> ReadDate(const QString& text) {
    const QDate date(2000 + text.mid(4, 2).toInt(), text.mid(2, 2).toInt(), text.left(2).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

QString HalersText(qint64 halers) {
    return CzechFormat::Fixed2(double(halers) / 100.0);
}

QString Quoted(const QString& text) {
    return QStringLiteral("„%1“").arg(text);
}

// One difference: "what was found instead of what the order gives".
QString Instead(const QString& field, const QString& found, const QString& expected) {
    return QStringLiteral("%1 %2 místo %3").arg(field, found, expected);
}

QRegularExpression Anchored(const QString& pattern) {
    return QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$'));
}

bool AllDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Which field of an order row cannot make an item record: "variabilní symbol 12.3 není číslo".
QString FieldCause(const OrderItem& row) {
    static const QRegularExpression account = Anchored(kAccount);
    if (!account.match(AboAccount(row.Account)).hasMatch())
        return QStringLiteral("číslo účtu %1 nemá tvar [předčíslí-]číslo").arg(Quoted(row.Account));
    const struct {
        const char* name;
        const QString& value;
    } numbers[] = {{"variabilní symbol", row.VariableSymbol},
                   {"kód banky", row.BankCode},
                   {"konstantní symbol", row.ConstantSymbol},
                   {"specifický symbol", row.SpecificSymbol}};
    for (const auto& n : numbers) {
        if (!AllDigits(n.value))
            return QStringLiteral("%1 %2 není číslo").arg(QString::fromUtf8(n.name), n.value);
    }
    return {};
}

} // namespace

AboReadResult ReadAboText(const QStringList& lines, const AboBankProfile& profile) {
    AboReadResult result;
    AboReadFile& f = result.file;
    const int count = int(lines.size());
    const auto lineAt = [&](int index) { return index < count ? lines[index] : QString(); };
    const auto fail = [&](int line, const QString& what) {
        result.problem = AtLine(line, what);
        result.problemLine = line;
        return result;
    };

    static const QRegularExpression header =
        Anchored(QStringLiteral("UHL1(\\d{6})(.{20})(.{10})(\\d{3})(\\d{3})0{12}"));
    QRegularExpressionMatch m = header.match(lineAt(0));
    if (!m.hasMatch())
        return fail(1, QStringLiteral("záhlaví „UHL1“ nemá tvar ABO"));
    const std::optional<QDate> created = ReadDate(m.captured(1));
    if (!created)
        return fail(1, QStringLiteral("datum vytvoření %1 není platné datum").arg(Quoted(m.captured(1))));
    f.created = *created;
    f.clientName = m.captured(2);
    f.clientNumber = m.captured(3);
    const int firstFile = m.captured(4).toInt();
    const int lastFile = m.captured(5).toInt();

    static const QRegularExpression fileRecord = Anchored(QStringLiteral("1 1501 (\\d{3})(\\d{3}) (\\S+)"));
    m = fileRecord.match(lineAt(1));
    if (!m.hasMatch())
        return fail(2, QStringLiteral("záznam účetního souboru „1 1501“ nemá tvar ABO"));
    f.fileNumber = m.captured(1).toInt();
    f.branch = m.captured(2);
    f.bankCode = m.captured(3);
    if (f.fileNumber < firstFile || f.fileNumber > lastFile)
        return fail(2, QStringLiteral("číslo souboru %1 leží mimo rozsah %2 až %3 ze záhlaví")
                           .arg(m.captured(1), PadZeros(QString::number(firstFile), 3),
                                PadZeros(QString::number(lastFile), 3)));
    if (f.branch != QLatin1String(profile.branch))
        return fail(2, Instead(QStringLiteral("pobočka"), Quoted(f.branch), Quoted(QLatin1String(profile.branch))));

    const QRegularExpression severalGroup = Anchored(QStringLiteral("2 %1 (\\d{14}) (\\d{6})").arg(kAccount));
    const QRegularExpression oneGroup =
        Anchored(QStringLiteral("2%1(\\d{14}) (\\d{6})").arg(RepeatChar(QLatin1Char(' '), profile.groupSpaces)));
    m = severalGroup.match(lineAt(2));
    if (m.hasMatch()) {
        f.payerAccount = m.captured(1);
    } else {
        m = oneGroup.match(lineAt(2));
        if (!m.hasMatch())
            return fail(3, QStringLiteral("záznam skupiny „2“ nemá tvar ABO"));
        f.oneItem = true;
    }
    const int last = m.lastCapturedIndex();
    f.totalHalers = m.captured(last - 1).toLongLong();
    const std::optional<QDate> due = ReadDate(m.captured(last));
    if (!due)
        return fail(3, QStringLiteral("datum splatnosti %1 není platné datum").arg(Quoted(m.captured(last))));
    f.due = *due;

    // Bank code and constant symbol: "00" in front where the bank counts ten digits.
    const QString item = QStringLiteral("%1%2 (\\d{12}) (\\d{10}) 0{%3}(\\d{4})(\\d{4}) (\\d{10}) (.*)")
                             .arg(f.oneItem ? kAccount + QLatin1Char(' ') : QString(), kAccount)
                             .arg(profile.bankSymbolWidth - 8);
    const QRegularExpression itemRecord = Anchored(item);
    const QString marker = profile.Marker();
    int index = 3;
    qint64 sum = 0;
    for (; index < count && lines[index] != QLatin1String("3 +"); ++index) {
        m = itemRecord.match(lines[index]);
        if (!m.hasMatch())
            return fail(index + 1, QStringLiteral("záznam položky nemá tvar ABO"));
        AboReadItem read;
        read.line = index + 1;
        int c = 1;
        if (f.oneItem)
            read.payerAccount = m.captured(c++);
        read.account = m.captured(c++);
        read.halers = m.captured(c++).toLongLong();
        read.variableSymbol = m.captured(c++);
        read.bankCode = m.captured(c++);
        read.constantSymbol = m.captured(c++);
        read.specificSymbol = m.captured(c++);
        read.message = m.captured(c);
        if (!read.message.isEmpty() && !marker.isEmpty()) {
            if (!read.message.startsWith(marker))
                return fail(index + 1, QStringLiteral("zpráva pro příjemce nezačíná %1").arg(Quoted(marker)));
            read.message.remove(0, marker.size());
        }
        if (read.message.size() > kMessageWidth)
            return fail(index + 1, QStringLiteral("zpráva pro příjemce je delší než %1 znaků").arg(kMessageWidth));
        sum += read.halers;
        f.items << read;
    }
    if (index >= count)
        return fail(index + 1, QStringLiteral("chybí konec skupiny „3 +“"));
    if (sum != f.totalHalers)
        return fail(3, QStringLiteral("součet skupiny %1 neodpovídá součtu položek %2")
                           .arg(HalersText(f.totalHalers), HalersText(sum)));
    if (lineAt(index + 1) != QLatin1String("5 +"))
        return fail(index + 2, QStringLiteral("chybí konec souboru „5 +“"));
    if (index + 2 < count)
        return fail(index + 3, QStringLiteral("za koncem souboru „5 +“ je další text"));
    return result;
}

QString AboOrderDifference(const AboReadFile& file, const PaymentOrder& order, const Settings& settings,
                           const AboOptions& options) {
    if (file.bankCode != settings.SmerovyKod)
        return AtLine(
            2, Instead(QStringLiteral("směrový kód banky plátce"), Quoted(file.bankCode), Quoted(settings.SmerovyKod)));
    const int validItems = order.CountValidItems();
    if (file.oneItem != (validItems == 1))
        return AtLine(3, file.oneItem
                             ? QStringLiteral("skupina je zapsána pro jednu položku, příkaz jich má %1").arg(validItems)
                             : QStringLiteral("skupina je zapsána pro více položek, příkaz má jednu"));
    const QString payerAccount = AboAccount(settings.CisloUctu);
    if (!file.oneItem && file.payerAccount != payerAccount)
        return AtLine(3, Instead(QStringLiteral("účet plátce"), file.payerAccount, payerAccount));
    const std::optional<QDate> due = CzechFormat::ParseDate(order.OrderDate);
    if (!due || file.due != *due)
        return AtLine(3,
                      Instead(QStringLiteral("datum splatnosti"), CzechFormat::FormatDate(file.due), order.OrderDate));

    QList<const OrderItem*> rows;
    for (const OrderItem& row : order.Items) {
        if (row.isAmountRow())
            rows << &row;
    }
    const qsizetype paired = qMin(rows.size(), file.items.size());
    for (qsizetype i = 0; i < paired; ++i) {
        const OrderItem& row = *rows[i];
        const AboReadItem& read = file.items[i];
        const QString expectedMessage = options.attachComments ? AboMessage(row.Comment, options.ascii) : QString();
        const qint64 halers = AboHalers(row.Amount).value_or(0);
        QString what;
        if (file.oneItem && read.payerAccount != payerAccount)
            what = Instead(QStringLiteral("účet plátce"), read.payerAccount, payerAccount);
        else if (read.account != AboAccount(row.Account))
            what = Instead(QStringLiteral("účet příjemce"), read.account, AboAccount(row.Account));
        else if (read.halers != halers)
            what = Instead(QStringLiteral("částka"), HalersText(read.halers), HalersText(halers));
        else if (read.variableSymbol != PadZeros(row.VariableSymbol, 10))
            what = Instead(QStringLiteral("variabilní symbol"), read.variableSymbol, PadZeros(row.VariableSymbol, 10));
        else if (read.bankCode != PadZeros(row.BankCode, 4))
            what = Instead(QStringLiteral("kód banky příjemce"), read.bankCode, PadZeros(row.BankCode, 4));
        else if (read.constantSymbol != PadZeros(row.ConstantSymbol, 4))
            what = Instead(QStringLiteral("konstantní symbol"), read.constantSymbol, PadZeros(row.ConstantSymbol, 4));
        else if (read.specificSymbol != PadZeros(row.SpecificSymbol, 10))
            what = Instead(QStringLiteral("specifický symbol"), read.specificSymbol, PadZeros(row.SpecificSymbol, 10));
        else if (read.message != expectedMessage)
            what = Instead(QStringLiteral("zpráva pro příjemce"), Quoted(read.message), Quoted(expectedMessage));
        if (!what.isEmpty())
            return QStringLiteral("řádek %1, položka %2: %3").arg(read.line).arg(i + 1).arg(what);
    }
    if (rows.size() != file.items.size()) {
        const int line = 4 + int(paired);
        return AtLine(line, QStringLiteral("položek je %1, v příkazu %2").arg(file.items.size()).arg(rows.size()));
    }
    return QString();
}

QString CheckAboText(const QStringList& lines, const PaymentOrder& order, const Settings& settings,
                     const AboOptions& options) {
    const AboReadResult read = ReadAboText(lines, *options.profile);
    if (!read.ok()) {
        // A record the writer made itself from a row fails for a field of that row: name it.
        const int record = read.problemLine - 4;
        const QStringList written = BuildAboText(order, settings, options);
        if (record >= 0 && read.problemLine <= written.size() && read.problemLine <= lines.size() &&
            lines[read.problemLine - 1] == written[read.problemLine - 1]) {
            int seen = 0;
            for (int r = 0; r < kItemCount; ++r) {
                const OrderItem& row = order.Items[std::size_t(r)];
                if (!row.isAmountRow() || seen++ != record)
                    continue;
                if (const QString cause = FieldCause(row); !cause.isEmpty())
                    return QStringLiteral("řádek %1 (položka %2): %3").arg(read.problemLine).arg(r + 1).arg(cause);
                break;
            }
        }
        return read.problem;
    }
    return AboOrderDifference(read.file, order, settings, options);
}

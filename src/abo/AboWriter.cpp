#include "abo/AboWriter.h"

#include "common/Clock.h"
#include "common/CzechFormat.h"
#include "common/Error.h"
#include "common/TextFunctions.h"

#include <cmath>

namespace {

constexpr int kAmountWidth = 12;
constexpr int kTotalWidth = 14;
constexpr int kMessageWidth = 35;
constexpr qint64 kMaxHalers = 999'999'999'999; // twelve digits

QString AboDate(const QDate& date) {
    return date.toString(QStringLiteral("ddMMyy"));
}

std::optional<QDate> OrderDate(const PaymentOrder& order) {
    return CzechFormat::ParseDate(order.OrderDate);
}

// The item record of the several-items layout; the one-item layout puts the payer's account in front.
QString ItemRecord(const OrderItem& item, const AboOptions& options) {
    const QChar space = QLatin1Char(' ');
    const AboBankProfile& profile = *options.profile;
    QString line = AboAccount(item.Account);
    line += space + PadZeros(AboAmount(item.Amount), kAmountWidth);
    line += space + PadZeros(item.VariableSymbol, 10);
    // "00" in front of bank code and constant symbol where the bank counts ten digits.
    line += space + PadZeros(PadZeros(item.BankCode, 4) + PadZeros(item.ConstantSymbol, 4), profile.bankSymbolWidth);
    line += space + PadZeros(item.SpecificSymbol, 10);
    line += space;
    if (options.attachComments) {
        const QString message = AboMessage(item.Comment, options.ascii);
        if (!message.isEmpty())
            line += profile.Marker() + message;
    }
    return line;
}

} // namespace

QString AboAccount(const QString& account) {
    const qsizetype dash = account.indexOf(QLatin1Char('-'));
    if (dash >= 0)
        return PadZeros(account.left(dash), 6) + QLatin1Char('-') + PadZeros(account.mid(dash + 1), 10);
    QString result = PadZeros(account, 17);
    result[6] = QLatin1Char('-');
    return result;
}

std::optional<qint64> AboHalers(const QString& amount) {
    const std::optional<qint64> halers = CzechFormat::ParseHalers(amount);
    if (!halers || *halers > kMaxHalers)
        return std::nullopt;
    return halers;
}

QString AboAmount(const QString& amount) {
    const std::optional<qint64> halers = AboHalers(amount);
    return halers ? QString::number(*halers) : QString();
}

QString AboExportProblem(const PaymentOrder& order, const Settings& settings) {
    const QString prefix = QStringLiteral("Export ABO nelze generovat. ");
    if (settings.CisloUctu.isEmpty())
        return prefix + QStringLiteral("Není zadáno číslo účtu plátce.");
    if (settings.SmerovyKod.isEmpty())
        return prefix + QStringLiteral("Není zadán směrový kód banky.");
    if (order.CountValidItems() == 0)
        return prefix + QStringLiteral("Není vyplněna ani jedna platná položka k platbě.");
    for (int row = 0; row < kItemCount; ++row) {
        const QString& amount = order.Items[std::size_t(row)].Amount;
        if (amount.isEmpty() || AboHalers(amount))
            continue;
        const QString rowText = QString::number(row + 1);
        const std::optional<double> value = CzechFormat::ParseNumber(amount);
        if (!value || !std::isfinite(*value))
            return prefix + QStringLiteral("Částka „%1“ v řádku %2 není číslo.").arg(amount, rowText);
        if (*value < 0)
            return prefix + QStringLiteral("Částka „%1“ v řádku %2 je záporná.").arg(amount, rowText);
        return prefix + QStringLiteral("Částka „%1“ v řádku %2 je příliš velká.").arg(amount, rowText);
    }
    if (!OrderDate(order))
        return prefix + QStringLiteral("Datum příkazu „%1“ není platné datum.").arg(order.OrderDate);
    return QString();
}

QString AboMessage(const QString& comment, bool ascii) {
    return (ascii ? PrintableAscii(comment) : comment).left(kMessageWidth);
}

QStringList AboAsciiReplacements(const PaymentOrder& order, const Settings& settings, const AboOptions& options) {
    if (!options.ascii)
        return {};
    QString written = settings.NazevKlienta;
    if (options.attachComments)
        for (const OrderItem& item : order.Items)
            if (item.isAmountRow())
                written += item.Comment;
    return AsciiReplacements(written);
}

QStringList BuildAboText(const PaymentOrder& order, const Settings& settings, bool attachComments) {
    AboOptions options;
    options.attachComments = attachComments;
    return BuildAboText(order, settings, options);
}

QStringList BuildAboText(const PaymentOrder& order, const Settings& settings, const AboOptions& options) {
    const std::optional<QDate> due = OrderDate(order);
    if (!due)
        throw VelorinError(QStringLiteral("Datum příkazu „%1“ není platné datum").arg(order.OrderDate));
    const bool oneItem = order.CountValidItems() == 1;

    // The group total is the sum of the item records' own halers, so that the bank's check of the
    // sum holds even for an amount that was not stored with two decimals.
    qint64 totalHalers = 0;
    for (const OrderItem& item : order.Items) {
        if (item.isAmountRow())
            totalHalers += AboHalers(item.Amount).value_or(0);
    }
    const QString total = PadZeros(QString::number(totalHalers), kTotalWidth);
    const QString dueText = AboDate(*due);

    const AboBankProfile& profile = *options.profile;
    const QString fileNumber =
        PadZeros(QString::number(profile.numberPerDay ? qBound(1, options.fileNumber, 999) : 1), 3);
    const QString clientName = options.ascii ? PrintableAscii(settings.NazevKlienta) : settings.NazevKlienta;

    QStringList lines;
    // The interval of file numbers in the header holds just this file's number.
    lines << QStringLiteral("UHL1") + AboDate(Clock::Today()) + PadSpaces(clientName, 20) +
                 PadZeros(settings.CisloKlienta, 10) + fileNumber + fileNumber + RepeatChar(QLatin1Char('0'), 12);
    lines << QStringLiteral("1 1501 ") + fileNumber + QLatin1String(profile.branch) + QLatin1Char(' ') +
                 settings.SmerovyKod;
    const QString payerAccount = AboAccount(settings.CisloUctu);
    if (oneItem)
        lines << QLatin1Char('2') + RepeatChar(QLatin1Char(' '), profile.groupSpaces) + total + QLatin1Char(' ') +
                     dueText;
    else
        lines << QStringLiteral("2 ") + payerAccount + QLatin1Char(' ') + total + QLatin1Char(' ') + dueText;
    for (const OrderItem& item : order.Items) {
        if (!item.isAmountRow())
            continue;
        const QString record = ItemRecord(item, options);
        lines << (oneItem ? payerAccount + QLatin1Char(' ') + record : record);
    }
    lines << QStringLiteral("3 +") << QStringLiteral("5 +");
    return lines;
}

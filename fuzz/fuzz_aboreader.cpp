// The ABO read-back: any text reads without a crash, and what it accepts adds up; the text the
// writer makes of an order (numbers as digits, any other text as it comes) reads back to that order
// with nothing to report, also after its way through the file's code page.
#include "FuzzSupport.h"
#include "abo/AboReader.h"
#include "abo/AboWriter.h"
#include "common/Cp1250.h"
#include "common/CzechFormat.h"
#include "common/TextFile.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

void ReadAnyText(const QByteArray& bytes) {
    const QStringList lines = TextFile::SplitLines(Cp1250::Decode(bytes));
    for (const AboBankProfile& profile : AboBankProfiles()) {
        const AboReadResult read = ReadAboText(lines, profile);
        if (!read.ok()) {
            FUZZ_REQUIRE(read.problem.startsWith(QStringLiteral("řádek ")));
            continue;
        }
        const AboReadFile& file = read.file;
        FUZZ_REQUIRE(lines.size() == 3 + file.items.size() + 2);
        qint64 sum = 0;
        for (qsizetype i = 0; i < file.items.size(); ++i) {
            const AboReadItem& item = file.items[i];
            FUZZ_REQUIRE(item.line == 4 + i);
            FUZZ_REQUIRE(item.account.size() == 17);
            FUZZ_REQUIRE(item.message.size() <= 35);
            sum += item.halers;
        }
        FUZZ_REQUIRE(sum == file.totalHalers);
        FUZZ_REQUIRE(file.created.isValid() && file.due.isValid());
        // Held against an order that says something else, it gives a difference and no crash.
        (void)CheckAboText(lines, PaymentOrder(), Settings(), AboOptions{&profile});
    }
}

QString Digits(FuzzedDataProvider& in, size_t maxLength) {
    QString text;
    for (size_t n = in.ConsumeIntegralInRange<size_t>(0, maxLength); n > 0; --n)
        text += QChar(u'0' + in.ConsumeIntegralInRange<int>(0, 9));
    return text;
}

// A text the order file can hold: any byte of its code page but the line ends and "|".
QString AnyText(FuzzedDataProvider& in, size_t maxLength) {
    const std::vector<char> bytes = in.ConsumeBytes<char>(in.ConsumeIntegralInRange<size_t>(0, maxLength));
    QString text = Cp1250::Decode(QByteArray(bytes.data(), qsizetype(bytes.size())));
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('|'));
    return text;
}

QString Account(FuzzedDataProvider& in) {
    QString account = Digits(in, 12);
    if (in.ConsumeBool())
        account += QLatin1Char('-') + Digits(in, 12);
    return account;
}

QString Amount(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return QString();
    case 1:
        return AnyText(in, 8); // mostly refused by the export check
    default: {
        const qint64 halers = in.ConsumeIntegralInRange<qint64>(0, 999'999'999'999);
        return QStringLiteral("%1,%2").arg(halers / 100).arg(halers % 100, 2, 10, QLatin1Char('0'));
    }
    }
}

void WriteAndReadBack(const QByteArray& bytes) {
    FuzzedDataProvider in(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    const auto profiles = AboBankProfiles();
    AboOptions options;
    options.profile = &profiles[in.ConsumeIntegralInRange<std::size_t>(0, profiles.size() - 1)];
    options.attachComments = in.ConsumeBool();
    options.ascii = in.ConsumeBool();
    options.fileNumber = in.ConsumeIntegralInRange<int>(-5, 1005);

    Settings settings;
    settings.CisloUctu = Account(in);
    settings.SmerovyKod = Digits(in, 6);
    settings.NazevKlienta = AnyText(in, 30);
    settings.CisloKlienta = AnyText(in, 12);

    PaymentOrder order;
    // ABO writes the year in two digits.
    const QDate first(2000, 1, 1);
    order.OrderDate =
        CzechFormat::FormatDate(first.addDays(in.ConsumeIntegralInRange<qint64>(0, first.daysTo(QDate(2099, 12, 31)))));
    for (OrderItem& item : order.Items) {
        if (in.ConsumeBool())
            continue;
        item.Account = in.ConsumeBool() ? Account(in) : QString();
        item.BankCode = Digits(in, 6);
        item.Amount = Amount(in);
        item.VariableSymbol = Digits(in, 12);
        item.ConstantSymbol = Digits(in, 6);
        item.SpecificSymbol = Digits(in, 12);
        item.Comment = AnyText(in, 60);
    }

    if (!AboExportProblem(order, settings).isEmpty())
        return;
    const QStringList lines = BuildAboText(order, settings, options);
    const QString problem = CheckAboText(lines, order, settings, options);
    if (!problem.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    FUZZ_REQUIRE(problem.isEmpty());

    QByteArray file;
    for (const QString& line : lines)
        file += Cp1250::Encode(line) + "\r\n";
    FUZZ_REQUIRE(TextFile::SplitLines(Cp1250::Decode(file)) == lines);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    ReadAnyText(bytes);
    WriteAndReadBack(bytes);
    return 0;
}

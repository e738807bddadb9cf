// Numbers in the settings file: IniFile::ParseInt reads what a plain reading of decimal and of
// hexadecimal ("0x", "$") numbers gives, and LoadSettings takes the working year and the ABO option
// as so read, today's year and off for anything else.
#include "FuzzSupport.h"
#include "common/Clock.h"
#include "common/Cp1250.h"
#include "common/TextFile.h"
#include "order/IniFile.h"
#include "order/Settings.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace {

std::optional<int> PlainInt(const QString& text) {
    std::string t;
    for (const QChar c : text) {
        if (c.unicode() >= 128)
            return std::nullopt; // not in a number, and not a blank either
        t += char(c.unicode());
    }
    const std::size_t begin = t.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    t = t.substr(begin, t.find_last_not_of(" \t") - begin + 1);
    int base = 10;
    bool negative = false;
    std::size_t at = 0;
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        at = 2;
    } else if (t[0] == '$') {
        base = 16;
        at = 1;
    } else if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        at = 1;
    }
    const std::string digits = t.substr(at);
    const auto isDigit = [base](char c) {
        return (c >= '0' && c <= '9') || (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    };
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return std::nullopt;
    unsigned long long value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    const unsigned long long limit = std::numeric_limits<int>::max() + (negative ? 1ULL : 0ULL);
    if (value > limit)
        return std::nullopt;
    return negative ? int(-static_cast<long long>(value)) : int(value);
}

void CheckParseInt(const QString& text) {
    const std::optional<int> value = IniFile::ParseInt(text);
    FUZZ_REQUIRE(value == PlainInt(text));
    if (!value)
        return;
    FUZZ_REQUIRE(IniFile::ParseInt(QString::number(*value)) == value);
    FUZZ_REQUIRE(IniFile::ParseInt(QStringLiteral(" \t%1\t ").arg(*value)) == value);
    if (*value >= 0) {
        FUZZ_REQUIRE(IniFile::ParseInt(QStringLiteral("0x") + QString::number(*value, 16)) == value);
        FUZZ_REQUIRE(IniFile::ParseInt(QStringLiteral("$") + QString::number(*value, 16).toUpper()) == value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = Bytes(data, size);
    // Every line as a value on its own, and every value the file holds.
    for (const QString& line : TextFile::SplitLines(Cp1250::Decode(bytes)))
        CheckParseInt(line);

    const QString folder = ScratchFolder() + QStringLiteral("/prog/");
    QDir().mkpath(folder);
    ScratchFile("prog/Velorin.ini", bytes);
    static const QDate today(2024, 3, 15);
    const SeamGuard fixedDay = Clock::SetToday(today);
    const Settings s = LoadSettings(folder);
    const IniFile::Contents ini = IniFile::Contents::Parse(bytes);
    const std::optional<QString> year = ini.Value(QStringLiteral("Udaje"), QStringLiteral("AktualniRok"));
    if (year)
        CheckParseInt(*year);
    const std::optional<int> yearNumber = year ? PlainInt(*year) : std::nullopt;
    FUZZ_REQUIRE(s.AktualniRok == yearNumber.value_or(today.year()));
    FUZZ_REQUIRE(YearFolder(s) == folder + QString::number(s.AktualniRok));
    FUZZ_REQUIRE(s.Mena == ini.Value(QStringLiteral("Udaje"), QStringLiteral("Mena")).value_or(QStringLiteral("Kč")));
    FUZZ_REQUIRE(
        s.CisloKlienta ==
        ini.Value(QStringLiteral("Udaje"), QStringLiteral("CisloKlienta")).value_or(QStringLiteral("0000000000")));

    const std::optional<QString> option =
        ini.Value(QStringLiteral("GenerovaniABO"), QStringLiteral("PripojovatKomentare"));
    const std::optional<int> optionNumber = option ? PlainInt(*option) : std::nullopt;
    FUZZ_REQUIRE(ReadAboCommentsOption(s) == (optionNumber && *optionNumber != 0));
    // The year folder the load made, so that the runs do not fill the scratch folder.
    QDir().rmdir(YearFolder(s));
    return 0;
}

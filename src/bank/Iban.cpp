#include "bank/Iban.h"

#include "bank/CzechAccount.h"

namespace {

// Letters count as 10..35; the remainder is taken digit by digit so no big numbers are needed.
int Mod97(const QString& alnum) {
    int rest = 0;
    for (QChar c : alnum) {
        const ushort u = c.unicode();
        if (u >= '0' && u <= '9') {
            rest = (rest * 10 + (u - '0')) % 97;
        } else {
            const int value = u - 'A' + 10;
            rest = (rest * 100 + value) % 97;
        }
    }
    return rest;
}

QString Compact(const QString& iban) {
    QString out;
    for (QChar c : iban)
        if (!c.isSpace())
            out += c.toUpper();
    return out;
}

bool IsAlnumAscii(const QString& text) {
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z')))
            return false;
    }
    return true;
}

QString StripLeadingZeros(const QString& digits) {
    qsizetype i = 0;
    while (i < digits.size() && digits[i] == u'0')
        ++i;
    return digits.mid(i);
}

} // namespace

QString CzechIban(const QString& account, const QString& bankCode) {
    const auto parts = ParseCzechAccount(account);
    const QString code = bankCode.trimmed();
    if (!parts || code.size() != 4 || !AllAsciiDigits(code))
        return {};
    const QString bban = code + parts->Prefix.rightJustified(6, u'0') + parts->Number.rightJustified(10, u'0');
    const int check = 98 - Mod97(bban + QStringLiteral("CZ00"));
    return QStringLiteral("CZ") + QString::number(check).rightJustified(2, u'0') + bban;
}

QString FormatIban(const QString& iban) {
    const QString compact = Compact(iban);
    QString out;
    for (qsizetype i = 0; i < compact.size(); i += 4) {
        if (i > 0)
            out += u' ';
        out += compact.mid(i, 4);
    }
    return out;
}

bool IbanChecksumOk(const QString& iban) {
    const QString compact = Compact(iban);
    if (compact.size() < 5 || !IsAlnumAscii(compact))
        return false;
    return Mod97(compact.mid(4) + compact.left(4)) == 1;
}

std::optional<CzechIbanParts> ParseCzechIban(const QString& iban) {
    const QString compact = Compact(iban);
    if (compact.size() != 24 || !compact.startsWith(QStringLiteral("CZ")) || !IbanChecksumOk(compact))
        return std::nullopt;
    if (!AllAsciiDigits(compact.mid(2)))
        return std::nullopt;
    CzechIbanParts parts;
    parts.BankCode = compact.mid(4, 4);
    const QString prefix = StripLeadingZeros(compact.mid(8, 6));
    const QString number = StripLeadingZeros(compact.mid(14, 10));
    parts.Account = prefix.isEmpty() ? number : prefix + u'-' + number;
    return parts;
}

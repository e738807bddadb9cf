#include "bank/CzechAccount.h"

namespace {

int NonZeroDigits(const QString& text) {
    int count = 0;
    for (QChar c : text)
        if (c != u'0')
            ++count;
    return count;
}

} // namespace

bool AllAsciiDigits(const QString& text) {
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

bool PassesModulo11(const QString& digits) {
    static constexpr int kWeights[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
    constexpr int kCount = int(std::size(kWeights));
    if (digits.size() > kCount || !AllAsciiDigits(digits))
        return false;
    const int offset = kCount - int(digits.size());
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i)
        sum += (digits[i].unicode() - u'0') * kWeights[offset + i];
    return sum % 11 == 0;
}

std::optional<CzechAccount> ParseCzechAccount(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype dash = trimmed.indexOf(u'-');
    CzechAccount account;
    if (dash >= 0) {
        account.Prefix = trimmed.left(dash);
        account.Number = trimmed.mid(dash + 1);
        if (account.Prefix.isEmpty())
            return std::nullopt;
    } else {
        account.Number = trimmed;
    }
    if (account.Prefix.size() > 6 || account.Number.size() > 10 || account.Number.isEmpty() ||
        !AllAsciiDigits(account.Prefix) || !AllAsciiDigits(account.Number))
        return std::nullopt;
    return account;
}

AccountProblem CheckCzechAccount(const QString& text) {
    if (text.trimmed().isEmpty())
        return AccountProblem::Empty;
    const auto account = ParseCzechAccount(text);
    if (!account)
        return AccountProblem::BadFormat;
    if (account->Number.size() < 2 || NonZeroDigits(account->Number) < 2)
        return AccountProblem::TooShort;
    if (!PassesModulo11(account->Prefix))
        return AccountProblem::PrefixChecksum;
    if (!PassesModulo11(account->Number))
        return AccountProblem::NumberChecksum;
    return AccountProblem::None;
}

QString AccountProblemText(AccountProblem problem) {
    switch (problem) {
    case AccountProblem::None:
        return {};
    case AccountProblem::Empty:
        return QStringLiteral("Číslo účtu není vyplněno");
    case AccountProblem::BadFormat:
        return QStringLiteral(
            "Číslo účtu má tvar [předčíslí-]číslo: předčíslí nejvýše 6 číslic, číslo nejvýše 10 číslic");
    case AccountProblem::TooShort:
        return QStringLiteral("Číslo účtu musí mít alespoň dvě nenulové číslice");
    case AccountProblem::PrefixChecksum:
        return QStringLiteral("Předčíslí účtu nemá platný kontrolní součet");
    case AccountProblem::NumberChecksum:
        return QStringLiteral("Číslo účtu nemá platný kontrolní součet");
    }
    return {};
}

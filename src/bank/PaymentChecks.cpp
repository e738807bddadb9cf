#include "bank/PaymentChecks.h"

#include "bank/BankRegister.h"
#include "bank/CzechAccount.h"
#include "bank/Iban.h"
#include "common/CzechFormat.h"
#include "order/DuplicateIndex.h"

#include <algorithm>

namespace {

QString SymbolProblem(const QString& text, const QString& name, int maxDigits) {
    if (text.isEmpty() || (text.size() <= maxDigits && AllAsciiDigits(text)))
        return {};
    return QStringLiteral("%1 smí mít nejvýše %2 a nic jiného")
        .arg(name, CzechFormat::CountOf(maxDigits, QStringLiteral("číslici"), QStringLiteral("číslice"),
                                        QStringLiteral("číslic")));
}

bool HasPaymentField(const OrderItem& item) {
    return !item.Account.isEmpty() || !item.BankCode.isEmpty() || !item.Amount.isEmpty() ||
           !item.VariableSymbol.isEmpty() || !item.ConstantSymbol.isEmpty() || !item.SpecificSymbol.isEmpty();
}

QStringList SymbolWarnings(const OrderItem& item) {
    QStringList out;
    for (const QString& problem :
         {VariableSymbolProblem(item.VariableSymbol), ConstantSymbolProblem(item.ConstantSymbol),
          SpecificSymbolProblem(item.SpecificSymbol)})
        if (!problem.isEmpty())
            out << problem;
    return out;
}

} // namespace

QString VariableSymbolProblem(const QString& text) {
    return SymbolProblem(text, QStringLiteral("Variabilní symbol"), 10);
}

QString SpecificSymbolProblem(const QString& text) {
    return SymbolProblem(text, QStringLiteral("Specifický symbol"), 10);
}

bool IsReservedConstantSymbol(const QString& text) {
    if (text.isEmpty() || !AllAsciiDigits(text))
        return false;
    static const int kReserved[] = {5, 6, 51, 498, 598, 898, 1178, 2178, 3178};
    if (text.size() > 9)
        return false;
    return std::find(std::begin(kReserved), std::end(kReserved), text.toInt()) != std::end(kReserved);
}

QString ConstantSymbolProblem(const QString& text) {
    const QString problem = SymbolProblem(text, QStringLiteral("Konstantní symbol"), 4);
    if (!problem.isEmpty())
        return problem;
    if (IsReservedConstantSymbol(text))
        return QStringLiteral("Konstantní symbol %1 si banky vyhrazují pro vlastní platby").arg(text);
    return {};
}

QString BankCodeProblem(const QString& code, const BankRegister& banks) {
    if (code.isEmpty())
        return QStringLiteral("Směrový kód není vyplněn");
    if (code.size() != 4 || !AllAsciiDigits(code))
        return QStringLiteral("Směrový kód má čtyři číslice");
    if (!banks.Find(code))
        return QStringLiteral("Neznámý kód banky");
    return {};
}

QString BankClearingProblem(const QString& code, const BankRegister& banks) {
    const BankInfo* bank = banks.Find(code);
    if (!bank || bank->Clearing || !banks.KnowsClearing())
        return {};
    return QStringLiteral("Kód banky %1 není v clearingu CERTIS").arg(bank->Code);
}

QString SamePaymentWarning(const OrderItem& item, const SamePaymentScope& scope) {
    if (!scope.order)
        return {};
    const std::optional<PaymentPlace> place = FindSamePayment(item, *scope.order, scope.row, scope.year);
    return place ? SamePaymentText(*place) : QString();
}

QStringList ItemWarnings(const OrderItem& item, const BankRegister& banks, const SamePaymentScope& scope) {
    QStringList out;
    if (!HasPaymentField(item))
        return out;
    const QString account = AccountProblemText(CheckCzechAccount(item.Account));
    if (!account.isEmpty())
        out << account;
    const QString code = BankCodeProblem(item.BankCode, banks);
    if (!code.isEmpty())
        out << code;
    if (const QString clearing = BankClearingProblem(item.BankCode, banks); !clearing.isEmpty())
        out << clearing;
    out << SymbolWarnings(item);
    if (const QString same = SamePaymentWarning(item, scope); !same.isEmpty())
        out << same;
    return out;
}

QStringList OrderWarnings(const PaymentOrder& order, const BankRegister& banks, const QDate& today,
                          const DuplicateIndex* year) {
    QStringList out;
    // The payer's account heads the ABO file; a bank turns the whole file back for it.
    if (!order.Bank.CisloUctu.isEmpty() || !order.Bank.SmerovyKod.isEmpty()) {
        OrderItem payer;
        payer.Account = order.Bank.CisloUctu;
        payer.BankCode = order.Bank.SmerovyKod;
        for (const QString& warning : ItemWarnings(payer, banks))
            out << QStringLiteral("Účet plátce: %1").arg(warning);
    }
    for (int r = 0; r < kItemCount; ++r)
        for (const QString& warning : ItemWarnings(order.Items[std::size_t(r)], banks, {&order, r, year}))
            out << QStringLiteral("Řádek %1: %2").arg(r + 1).arg(warning);
    const std::optional<QDate> due = CzechFormat::ParseDate(order.OrderDate);
    if (due && *due < today)
        out << QStringLiteral("Datum splatnosti je v minulosti");
    return out;
}

QString OrderWarningLine(const PaymentOrder& order, const BankRegister& banks, const QDate& today,
                         const DuplicateIndex* year, const QStringList& notes) {
    const QStringList warnings = OrderWarnings(order, banks, today, year) + notes;
    if (warnings.isEmpty())
        return {};
    return QStringLiteral("Upozornění (banka může platby odmítnout): ") + warnings.join(QStringLiteral("; ")) +
           QLatin1Char('.');
}

PaymentHint DescribePayment(const OrderItem& item, const BankRegister& banks, const SamePaymentScope& scope) {
    QStringList parts;
    bool warning = false;
    if (!item.BankCode.isEmpty()) {
        if (const BankInfo* bank = banks.Find(item.BankCode)) {
            parts << bank->Name;
            if (const QString clearing = BankClearingProblem(item.BankCode, banks); !clearing.isEmpty()) {
                parts << clearing;
                warning = true;
            }
        } else {
            parts << BankCodeProblem(item.BankCode, banks);
            warning = true;
        }
    }
    if (!item.Account.isEmpty()) {
        const AccountProblem problem = CheckCzechAccount(item.Account);
        if (problem != AccountProblem::None) {
            parts << AccountProblemText(problem);
            warning = true;
        } else if (const QString iban = CzechIban(item.Account, item.BankCode); !iban.isEmpty()) {
            parts << QStringLiteral("IBAN ") + FormatIban(iban);
        }
    }
    const QStringList symbols = SymbolWarnings(item);
    if (!symbols.isEmpty()) {
        parts << symbols;
        warning = true;
    }
    if (const QString same = SamePaymentWarning(item, scope); !same.isEmpty()) {
        parts << same;
        warning = true;
    }
    return {parts.join(QStringLiteral(" · ")), warning};
}

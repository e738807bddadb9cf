#pragma once

#include "order/PaymentOrder.h"

#include <QDate>
#include <QString>
#include <QStringList>

class BankRegister;
class DuplicateIndex;

// Where a row's same payment is looked for: the other rows of order and, when year is given, the
// other orders of the year folder. An empty scope looks nowhere.
struct SamePaymentScope {
    const PaymentOrder* order = nullptr;
    int row = -1; // the checked row of order, from 0; -1 for an item not in it
    const DuplicateIndex* year = nullptr;
};
// "Stejná platba je už v …" when the scope holds the same payment; empty otherwise.
QString SamePaymentWarning(const OrderItem& item, const SamePaymentScope& scope);

// Checks of a payment as the banks make them. They only warn: nothing here refuses a value, and
// what the user typed is stored and exported unchanged.

// Why a variable or specific symbol (up to 10 digits) is not one; empty when it is or is empty.
QString VariableSymbolProblem(const QString& text);
QString SpecificSymbolProblem(const QString& text);
// The same for a constant symbol (up to 4 digits); also warns of the symbols banks keep for
// themselves (5, 6, 51, 498, 598, 898, 1178, 2178, 3178), with or without leading zeros.
QString ConstantSymbolProblem(const QString& text);
bool IsReservedConstantSymbol(const QString& text);

// Why a bank code is not one the register knows: empty, not four digits, "Neznámý kód banky".
QString BankCodeProblem(const QString& code, const BankRegister& banks);

// A known bank outside the CERTIS clearing: a payment to it may not go through. Empty otherwise.
QString BankClearingProblem(const QString& code, const BankRegister& banks);

// Every warning of one row, in the order of its fields. None for a row with no payment field
// filled (a comment alone makes no payment). The same payment in scope is the last warning.
QStringList ItemWarnings(const OrderItem& item, const BankRegister& banks, const SamePaymentScope& scope = {});

// "Účet plátce: ..." for the payer's account and bank code when either is filled in, "Řádek 3: ..."
// for each warning of the rows, then "Datum splatnosti je v minulosti" when the
// order date lies before today. A row's same payment is looked for in the order and in year.
QStringList OrderWarnings(const PaymentOrder& order, const BankRegister& banks, const QDate& today,
                          const DuplicateIndex* year = nullptr);

// The warnings of an order, then notes (an export's own), as one line for a dialog or the
// preview; empty when there are none.
QString OrderWarningLine(const PaymentOrder& order, const BankRegister& banks, const QDate& today,
                         const DuplicateIndex* year = nullptr, const QStringList& notes = {});

// What the line under an account field says as the user types: the bank's name for the code,
// the IBAN of a complete account, and what is wrong.
struct PaymentHint {
    QString Text;
    bool Warning = false; // Text tells of a problem
};
PaymentHint DescribePayment(const OrderItem& item, const BankRegister& banks, const SamePaymentScope& scope = {});

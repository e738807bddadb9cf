#pragma once

#include "order/PaymentOrder.h"

#include <QDate>
#include <QString>
#include <QStringList>

class BankRegister;

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
// filled (a comment alone makes no payment).
QStringList ItemWarnings(const OrderItem& item, const BankRegister& banks);

// "Účet plátce: ..." for the payer's account and bank code when either is filled in, "Řádek 3: ..."
// for each warning of the rows, then "Datum splatnosti je v minulosti" when the
// order date lies before today.
QStringList OrderWarnings(const PaymentOrder& order, const BankRegister& banks, const QDate& today);

// The warnings of an order as one line for a dialog or the preview; empty when there are none.
QString OrderWarningLine(const PaymentOrder& order, const BankRegister& banks, const QDate& today);

// What the line under an account field says as the user types: the bank's name for the code,
// the IBAN of a complete account, and what is wrong.
struct PaymentHint {
    QString Text;
    bool Warning = false; // Text tells of a problem
};
PaymentHint DescribePayment(const OrderItem& item, const BankRegister& banks);

#pragma once

#include "order/PaymentOrder.h"
#include "order/Settings.h"

#include <QString>
#include <QStringList>

// The lines of an order file: the four bank lines (bank, "Ulice 1", "123-456", "0100"), the date,
// then rows, filled up with empty rows to the 21 lines of a file.
QStringList OrderLines(const QString& bank, const QString& date, const QStringList& rows);

// An item by its fields in the order of the file's columns.
OrderItem Item(const QString& account, const QString& bankCode, const QString& amount, const QString& vs = {},
               const QString& ks = {}, const QString& ss = {}, const QString& comment = {});

// The example of the ABO tests: the client Firma Alfa (number 123456, account 35-123456789/0800)
// and its order of 10.1.2022, /tmp/2022/2022001.ppu: row 1 pays 1500,00 to 987654321/0300 (VS
// 2022001, KS 0308, "Nájem leden"), row 2, when wanted, 250,50 to 12-3456789012/0100 (SS 77).
Settings AboExampleSettings();
PaymentOrder AboExampleOrder(bool withRow2);

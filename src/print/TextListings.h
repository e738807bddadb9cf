#pragma once

#include "order/PaymentOrder.h"

#include <QString>

// The two text listings of an order; every line ends with CR LF.

// The order file as stored at path. Throws VelorinError naming the file when it cannot be read.
QString PlainListing(const QString& path);

// The labelled listing of the order in memory: designation, due date, total, then nine lines for
// every row with an amount, under its row number.
QString StructuredListing(const PaymentOrder& order, const QString& currency);

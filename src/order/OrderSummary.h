#pragma once

#include <QString>

class OrderFileReader;

// What the open-order list shows of one order file.
struct OrderSummary {
    QString date;
    int count = 0;    // item lines
    double sum = 0.0; // their amounts
};

// Sums an order file by the open-order list's own rules, looser than an order's: every line after
// the date longer than seven characters is an item, however many lines the file has, and its third
// field is the amount, the text after the last "|" counting as a field ("." read as ",", nothing as
// 0). Throws VelorinError with the reason when an amount is no number.
OrderSummary SummariseOrderFile(const OrderFileReader& file);

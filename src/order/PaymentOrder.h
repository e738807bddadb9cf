#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

inline constexpr int kItemCount = 16;
inline constexpr int kGridColumns = 6;

// One item row: the six grid columns and the comment beside them.
struct OrderItem {
    QString Account;
    QString BankCode;
    QString Amount;
    QString VariableSymbol;
    QString ConstantSymbol;
    QString SpecificSymbol;
    QString Comment;

    // Field by column: 0..5 the grid columns, 6 the comment.
    const QString& field(int column) const;
    QString& field(int column);

    bool isValidItem() const { return !Account.isEmpty(); } // an item to pay
    bool isAmountRow() const { return !Amount.isEmpty(); }  // enters the total and the ABO items
    bool isNonEmpty() const;                                // any of the seven fields filled
    void clear();

    bool operator==(const OrderItem&) const = default;
};

// The seven fields each followed by "|": an order-file row line and the item clipboard text.
QString RowText(const OrderItem& item);

// Parses a row line from the left as the order file and the clipboard read it: fields 1 to 6
// before each "|", the comment takes field 7 and every further field (the last wins), and text
// after the last "|" is dropped. Columns without a field stay as they were in item.
void ReadRowText(const QString& line, OrderItem& item);

// The item of a clipboard text as paste takes it: exactly seven "|" with the last at the end, and
// every field as it stands, an amount that is no number too (the total leaves it out and says so).
// Nothing when the text is no item line or holds what the order file cannot (a line break, a
// character Windows-1250 cannot hold), so whatever RowText gave for a stored item pastes back.
std::optional<OrderItem> ReadClipboardItem(const QString& text);

struct PayerBank {
    QString NazevBanky;
    QString Adresa;
    QString CisloUctu;
    QString SmerovyKod;

    bool operator==(const PayerBank&) const = default;
};

struct TotalResult {
    double total = 0.0;
    QList<int> unreadableRows; // 1-based rows whose amount is no number; left out of the total
};

// "(bez řádku 3: částka není číslo)": the rows a total leaves out, as the main window shows them
// beside it; an empty text when there are none.
QString UnreadableRowsNote(const QList<int>& rows);
// The same note for a count of rows, as the overview gives it: "(bez 2 řádků: částky nejsou čísla)".
QString UnreadableCountNote(qsizetype count);

// "Celkem k platbě :    1 250,00 Kč" and the note of the rows left out: the main window's total label.
QString OrderTotalText(const TotalResult& total);

struct PaymentOrder {
    PayerBank Bank;
    QString OrderDate; // "d.m.yyyy"
    std::array<OrderItem, kItemCount> Items;
    QString FilePath; // empty while no order is open
    double Total = 0.0;

    int CountValidItems() const;
    // Sums the amount rows with the Czech number format.
    TotalResult ComputeTotal() const;
    // Clears rows, total, date and path; the bank data stay.
    void Clear();
    // FilePath without ".ppu": the stem of the files exported beside the order.
    QString PathWithoutExtension() const;
    // The file name of FilePath without ".ppu".
    QString Designation() const;
};

// Why a text cannot be stored in an order field ("|", line break, a character Windows-1250
// cannot hold); an empty text when it can.
QString FieldProblem(const QString& text);

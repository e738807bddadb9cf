#pragma once

#include "order/PaymentOrder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// Payment items from a table: a spreadsheet's copied cells (separated by tabs) or a CSV text
// (separated by ";"), with or without a header row.

// The columns a table may give, in the order of an item line; None leaves a column out.
enum class ItemColumn { None, Account, BankCode, Amount, VariableSymbol, ConstantSymbol, SpecificSymbol, Comment };
inline constexpr int kItemColumnCount = 8;

// "Účet", "Kód banky", "Částka", "VS", "KS", "SS", "Zpráva"; "Nepoužít" for None.
QString ItemColumnName(ItemColumn column);
// The column a header cell names ("Číslo účtu", "variabilní symbol", "Komentář", …), in any case and
// with or without diacritics; nothing for a text that names none.
std::optional<ItemColumn> ColumnOfHeading(const QString& heading);

struct TableRow {
    int line = 0; // where the row starts in the text, from 1
    QStringList cells;
    bool unclosedQuote = false; // a quoted cell ran to the end of the text
};

struct TableText {
    QChar separator;            // tab, ';' or '|'
    std::vector<TableRow> rows; // blank lines left out
    int columnCount() const;
};

// Cuts the text into rows and cells. Tab-separated when the text holds a tab, else ";"-separated,
// else "|"-separated as the lines of an order file are. A
// cell may be quoted ("a;b", "" for a quote); a line break inside quotes becomes a blank.
TableText SplitTable(const QString& text);
// A CSV file's bytes: UTF-8 when they are valid UTF-8 (a byte order mark is dropped), otherwise
// Windows-1250, as the bank list is read.
TableText SplitTableFile(const QByteArray& bytes, bool* utf8 = nullptr);

struct TableColumns {
    QList<ItemColumn> columns; // one for each column of the table
    bool header = false;       // the first row names the columns
};
// By a header row when the first row names at least one column; otherwise by position in the order
// of an item line, where a first column of "account/code" stands for both.
TableColumns RecogniseColumns(const TableText& table);

// "1 250,50", "1250.50", "1 250,50 Kč", "1.250,50", "-3" become the editor's form "1250,50", "-3,00";
// more decimals are rounded to the cent, halves to the even one. Nothing when the text is no amount.
std::optional<QString> NormaliseAmount(const QString& text);

// "2171532/0100" gives the account and the code; "CZ65 0800 0000 1920 0014 5399" too, when its check
// digits hold. Blanks are dropped; anything else is the account as it stands, with no code.
struct AccountAndCode {
    QString Account;
    QString BankCode;
};
AccountAndCode SplitAccount(const QString& text);

struct TableItem {
    int line = 0; // of the text, from 1
    OrderItem item;
    QString problem; // why the row cannot become an item; empty when it can
};

// The items of the rows (the header row left out), with bank codes of fewer digits filled with
// leading zeros as spreadsheets drop them.
std::vector<TableItem> ItemsOfTable(const TableText& table, const TableColumns& columns);

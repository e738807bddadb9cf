#pragma once

#include "order/PaymentOrder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// What makes two payments the same: account, bank code, amount and variable symbol, written as the
// comparison wants them (account without blanks and the leading zeros of its parts, bank code and
// symbol without leading zeros, the amount in hundredths, "." read as ","), kept as a 64-bit hash of
// that text: among a year's payments a false match is less likely than one in a billion. Two empty
// symbols are equal like any other two. Nothing for a row that pays nothing: no account, or no
// amount that is a number.
using PaymentKey = quint64;
std::optional<PaymentKey> SamePaymentKey(const OrderItem& item);
// The same from a row line of an order file, as the shared reader holds it.
std::optional<PaymentKey> SamePaymentKeyOfLine(QByteArrayView line);

// Where a payment already is.
struct PaymentPlace {
    QString designation; // the other order's; empty for a row of the order itself
    QString date;        // that order's date line
    int row = 0;         // from 1
};

// "Stejná platba je už v příkazu 2026003 (14.3.2026), řádek 2" or "… v tomto příkazu, řádek 5".
QString SamePaymentText(const PaymentPlace& place);

// The payments of every order of a year folder, read once when an order opens and kept up to date by
// each save of the open order, so that the check as the user types is a lookup.
class DuplicateIndex {
public:
    // Reads every order file of folder with the shared reader, replacing what the index held; files
    // that cannot be read are left out. idle is called after each file.
    void Build(const QString& folder, const std::function<void()>& idle = {});
    // Takes order's rows as its file now holds them, in place of what the index had of that file.
    void Update(const PaymentOrder& order);
    void Clear();

    const QString& folder() const { return m_folder; }
    int orderCount() const;
    // The stored order, other than the one at skipPath, that holds key; the last of them in the order of
    // the file names when several do.
    std::optional<PaymentPlace> Find(PaymentKey key, const QString& skipPath) const;

private:
    struct Order {
        QString name;            // file name, as listed
        QByteArray date;         // the date line as the file has it
        bool superseded = false; // saved again since: a later entry holds the file's rows
    };
    struct Payment {
        PaymentKey key;
        quint32 place; // order index << 5 | row from 1
        bool operator<(const Payment& other) const { return key < other.key; }
    };
    void add(const QString& name, QByteArray date, const std::vector<Payment>& payments, std::vector<Payment>& into);

    QString m_folder;
    std::vector<Order> m_orders;  // an order saved again is added anew, the old entry superseded
    std::vector<Payment> m_read;  // those of the folder as read, sorted by key
    std::vector<Payment> m_saved; // those of the saves since, in the order of the saves
};

// The first other row of order with the same payment as item, standing in row (from 0; -1 when it
// is in none); else the year's other order that holds it, when year is given.
std::optional<PaymentPlace> FindSamePayment(const OrderItem& item, const PaymentOrder& order, int row,
                                            const DuplicateIndex* year);

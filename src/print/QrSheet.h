#pragma once

#include "order/PaymentOrder.h"
#include "order/Settings.h"
#include "qr/QrCode.h"
#include "report/Report.h"

#include <QStringList>
#include <vector>

// "Tisk QR kódů": A4 pages with the QR Platba code of every item that can have one, each with its
// row number, payee account, amount, symbols and comment; the items that cannot are listed at
// the end with the reason, so that none is left out silently.
class QrSheet {
public:
    struct Entry {
        int row = 0; // from 0
        OrderItem item;
        QString text; // the code's text
        QrCode code;
    };
    struct Skipped {
        int row = 0;
        QString reason;
    };

    QrSheet();
    QrSheet(const QrSheet&) = delete;
    QrSheet& operator=(const QrSheet&) = delete;

    // Takes the order's items; the codes of the valid items that can have one, the others with
    // their reasons. Returns the number of codes.
    int Fill(const PaymentOrder& order, const Settings& settings);
    const std::vector<Entry>& Entries() const { return m_entries; }
    const std::vector<Skipped>& SkippedRows() const { return m_skipped; }
    // Why no page can be printed; empty when there is a code.
    QString NothingToPrintText() const;

    Report& report() { return m_report; }

private:
    void answer(const QString& name, QString& value) const;

    Report m_report;
    std::vector<Entry> m_entries;
    std::vector<Skipped> m_skipped;
    QString m_currency;
    QString m_currencyProblem;
};

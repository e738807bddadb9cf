#pragma once

#include "order/PaymentOrder.h"
#include "report/Report.h"

#include <array>

// The main window's two order layouts (Report1, the single order form; Report2, the collective
// order with its row source and callback), filled from an order. The print command that shows
// them is OrderPrint's.
class OrderReports {
public:
    // pdfExport: the main window's PDFExport1, shared by every preview; not owned.
    explicit OrderReports(PdfExportConfig* pdfExport = nullptr);
    OrderReports(const OrderReports&) = delete;
    OrderReports& operator=(const OrderReports&) = delete;

    // Sets every variable of the layout the order needs and returns that layout (with one valid
    // item the single form, with more the collective one); nullptr when the order has no valid
    // item. Changes nothing in the order; the preview is left to the caller.
    Report* FillLayout(const PaymentOrder& order, const QString& currency);

    // The value callback of Report2: the columns of the row being printed.
    void Report2GetValue(const QString& name, QString& value) const;

    Report Report1;
    Report Report2;

private:
    void fillSingle(const PaymentOrder& order, const OrderItem& item, const QString& currency);
    void fillCollective(const PaymentOrder& order, const QString& currency);

    // The rows Report2GetValue answers from, taken when the print begins.
    std::array<OrderItem, kItemCount> m_rows;
};

// "1234,50 Kč": the total with two decimals, no grouping, a blank and the currency label.
QString CollectiveTotalText(double total, const QString& currency);

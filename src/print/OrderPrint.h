#pragma once

#include "print/OrderReports.h"

// The print command of the main window over its two order layouts.
class OrderPrint : public OrderReports {
public:
    using OrderReports::OrderReports;

    // With no valid item an information box, with one the single form, with more the collective
    // form, in the engine's preview. Changes nothing in the order.
    void PrintOrder(const PaymentOrder& order, const QString& currency);
};

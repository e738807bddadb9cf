#pragma once

#include "order/PaymentOrder.h"
#include "order/Settings.h"

#include <utility>
#include <vector>

class DuplicateIndex;
class QWidget;

// What the dialogs read and change in the main window. The main window implements it; tests of
// the dialogs may give a small host of their own.
class OrderHost {
public:
    virtual ~OrderHost() = default;

    virtual QWidget* hostWindow() = 0;
    // The open order as the window shows it, its date and payer bank included.
    virtual const PaymentOrder& order() const = 0;
    virtual Settings& settings() = 0;
    virtual bool isOrderOpen() const = 0;
    // The grid's current row, 0 to 15.
    virtual int selectedRow() const = 0;
    // Puts item into row, recomputes the total and writes the order's file. A failed save puts the
    // row back and throws VelorinError naming the file.
    virtual void SaveItem(int row, const OrderItem& item) = 0;
    // Puts each item into its row (0 to 15) and writes the order's file once; a failed save puts
    // every row back and throws VelorinError naming the file.
    virtual void SaveItems(const std::vector<std::pair<int, OrderItem>>& rows) = 0;
    // The payments of the year's orders for the same-payment warning; nullptr when none is kept.
    virtual const DuplicateIndex* duplicates() const { return nullptr; }
    // Shows a provisional total in La_Celkem without changing the order.
    virtual void ShowProvisionalTotal(double total) = 0;
    // Shows the order's own total in La_Celkem again.
    virtual void ShowOrderTotal() = 0;
};

#pragma once

#include "order/PaymentOrder.h"
#include "order/Settings.h"

class QWidget;

// What the dialogs read and change in the main window. The main window implements it; tests of
// the dialogs may give a small host of their own.
class OrderHost {
public:
    virtual ~OrderHost() = default;

    virtual QWidget* hostWindow() = 0;
    virtual PaymentOrder& order() = 0;
    virtual Settings& settings() = 0;
    virtual bool isOrderOpen() const = 0;
    // The grid's current row, 0 to 15.
    virtual int selectedRow() const = 0;
    // Recomputes Total and shows it in La_Celkem.
    virtual void RecalcTotal() = 0;
    // Writes the open order's file; throws VelorinError naming the file.
    virtual void SaveOrder() = 0;
    // Shows a provisional total in La_Celkem without changing the order.
    virtual void ShowTotalText(double total) = 0;
    // Redraws the grid and the comment label from order().
    virtual void RefreshGrid() = 0;
};

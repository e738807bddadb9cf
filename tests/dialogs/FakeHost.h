#pragma once

#include "common/CzechFormat.h"
#include "dialogs/OrderHost.h"
#include "order/OrderFile.h"

#include <QLabel>
#include <QWidget>

// A main window stand-in for dialog tests: holds an order and settings, saves like the real one.
class FakeHost : public OrderHost {
public:
    QWidget window;
    QLabel totalLabel;
    PaymentOrder orderData;
    Settings settingsData;
    bool open = true;
    int row = 0;
    int saveCount = 0;
    int recalcCount = 0;

    QWidget* hostWindow() override { return &window; }
    PaymentOrder& order() override { return orderData; }
    Settings& settings() override { return settingsData; }
    bool isOrderOpen() const override { return open; }
    int selectedRow() const override { return row; }
    void RecalcTotal() override {
        ++recalcCount;
        orderData.Total = orderData.ComputeTotal().total;
        ShowTotalText(orderData.Total);
    }
    void SaveOrder() override {
        ++saveCount;
        orderData.Bank = settingsData.payerBank();
        OrderFile::Save(orderData, orderData.FilePath);
    }
    void ShowTotalText(double total) override {
        totalLabel.setText(QStringLiteral("Celkem k platbě :    ") + CzechFormat::Money(total));
    }
    void RefreshGrid() override {}
};

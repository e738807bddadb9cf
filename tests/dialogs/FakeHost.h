#pragma once

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

    QWidget* hostWindow() override { return &window; }
    const PaymentOrder& order() const override { return orderData; }
    Settings& settings() override { return settingsData; }
    bool isOrderOpen() const override { return open; }
    int selectedRow() const override { return row; }
    void SaveItem(int r, const OrderItem& item) override {
        const PaymentOrder before = orderData;
        orderData.Items[size_t(r)] = item;
        orderData.Total = orderData.ComputeTotal().total;
        try {
            SaveOrder();
        } catch (...) {
            orderData = before;
            ShowOrderTotal();
            throw;
        }
        ShowOrderTotal();
    }
    void SaveItems(const std::vector<std::pair<int, OrderItem>>& rows) override {
        const PaymentOrder before = orderData;
        for (const auto& [r, item] : rows)
            orderData.Items[size_t(r)] = item;
        orderData.Total = orderData.ComputeTotal().total;
        try {
            SaveOrder();
        } catch (...) {
            orderData = before;
            throw;
        }
        ShowOrderTotal();
    }
    void ShowProvisionalTotal(double total) override { totalLabel.setText(OrderTotalText({total, {}})); }
    void ShowOrderTotal() override { totalLabel.setText(OrderTotalText(orderData.ComputeTotal())); }

    void SaveOrder() {
        ++saveCount;
        OrderFile::Save(orderData, orderData.FilePath);
    }
};

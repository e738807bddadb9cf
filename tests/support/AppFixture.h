#pragma once

#include "TestFiles.h"
#include "TestModal.h"
#include "TestOrders.h"
#include "app/AppInit.h"
#include "app/Hlavni_f.h"
#include "common/Clock.h"
#include "common/DialogHook.h"
#include "common/SeamGuard.h"
#include "common/TextFile.h"
#include "order/OrderFile.h"

// What the app tests use throughout.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

// A main window over a fresh program folder, dialogs answered by script, today fixed at 7.1.2022.
struct AppFixture {
    QTemporaryDir dir;
    SeamGuard today = Clock::SetToday(QDate(2022, 1, 7));
    SeamGuard dialogs = DialogHook::Activate();
    std::unique_ptr<THlavni> window;

    ~AppFixture();

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString yearFolder() const { return dir.path() + QStringLiteral("/2022"); }
    QString orderPath(const QString& name) const { return yearFolder() + QLatin1Char('/') + name; }

    THlavni& start();
    // Shortcuts work only in the active window.
    void activate();
    // Triggers the main window's action; fails the test when there is none or it is disabled.
    void trigger(const char* name);
    // Answers the open-order dialog: picks the row, or cancels with row < 0.
    void openOrder(int row = 0);

    QStringList orderFiles() const;
    void writeOrder(const QString& name, const QStringList& lines) const;

    // The texts of the boxes shown since the last call, of one kind or all.
    static QStringList shown(const QString& kind = {});
};

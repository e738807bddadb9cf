#pragma once

#include "TestModal.h"
#include "app/AppInit.h"
#include "app/Hlavni_f.h"
#include "common/Clock.h"
#include "common/DialogHook.h"
#include "common/TextFile.h"
#include "order/OrderFile.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
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
    std::unique_ptr<THlavni> window;

    AppFixture() {
        Clock::SetToday(QDate(2022, 1, 7));
        DialogHook::Activate();
    }
    ~AppFixture() {
        window.reset();
        DialogHook::Deactivate();
        Clock::SetToday(std::nullopt);
    }

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString yearFolder() const { return dir.path() + QStringLiteral("/2022"); }
    QString orderPath(const QString& name) const { return yearFolder() + QLatin1Char('/') + name; }

    THlavni& start() {
        window = std::make_unique<THlavni>(folder());
        window->show();
        activate();
        return *window;
    }

    // Shortcuts work only in the active window.
    void activate() {
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
    }

    void trigger(const char* name) {
        QAction* act = window->action(QLatin1String(name));
        QVERIFY2(act, name);
        act->trigger();
    }

    // Answers the open-order dialog: picks the row, or cancels with row < 0.
    void openOrder(int row = 0) {
        ModalAction pick([row](QWidget* dialog) {
            const char* button = "Tl_Storno";
            if (row >= 0) {
                auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("ListView1"));
                list->setCurrentItem(list->topLevelItem(row));
                button = "Tl_Ok";
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        });
        trigger("HMenu_Otevrit");
        QVERIFY(pick.happened());
    }

    QStringList orderFiles() const {
        return QDir(yearFolder()).entryList({QStringLiteral("*.ppu")}, QDir::Files, QDir::Name);
    }

    void writeOrder(const QString& name, const QStringList& lines) const {
        QDir().mkpath(yearFolder());
        TextFile::WriteLines(orderPath(name), lines);
    }

    static QStringList orderLines(const QString& bank, const QString& date, const QStringList& rows) {
        QStringList lines{bank, QStringLiteral("Ulice 1"), QStringLiteral("123-456"), QStringLiteral("0100"), date};
        lines += rows;
        while (lines.size() < 21)
            lines << QStringLiteral("|||||||");
        return lines;
    }

    static QByteArray bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The texts of the boxes shown since the last call, of one kind or all.
    static QStringList shown(const QString& kind = {}) {
        QStringList out;
        for (const DialogHook::Record& r : DialogHook::Records())
            if (kind.isEmpty() || r.kind == kind)
                out << r.text;
        DialogHook::ClearRecords();
        return out;
    }
};

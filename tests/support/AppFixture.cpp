#include "AppFixture.h"

AppFixture::~AppFixture() {
    // The window goes before the seams it may still use.
    window.reset();
}

THlavni& AppFixture::start() {
    window = std::make_unique<THlavni>(folder());
    window->show();
    activate();
    return *window;
}

void AppFixture::activate() {
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
}

void AppFixture::trigger(const char* name) {
    QAction* act = window->action(QLatin1String(name));
    QVERIFY2(act, name);
    QVERIFY2(act->isEnabled(), qPrintable(QStringLiteral("%1 is disabled").arg(QLatin1String(name))));
    act->trigger();
}

void AppFixture::openOrder(int row) {
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

QStringList AppFixture::orderFiles() const {
    return QDir(yearFolder()).entryList({QStringLiteral("*.ppu")}, QDir::Files, QDir::Name);
}

void AppFixture::writeOrder(const QString& name, const QStringList& lines) const {
    QDir().mkpath(yearFolder());
    TextFile::WriteLines(orderPath(name), lines);
}

QStringList AppFixture::shown(const QString& kind) {
    QStringList out;
    for (const DialogHook::Record& r : DialogHook::Records())
        if (kind.isEmpty() || r.kind == kind)
            out << r.text;
    DialogHook::ClearRecords();
    return out;
}

#include "FakeHost.h"
#include "FieldKinds.h"
#include "TestFiles.h"
#include "TestModal.h"
#include "Typing.h"
#include "common/Beep.h"
#include "common/Cp1250.h"
#include "common/DialogHook.h"
#include "common/PlainText.h"
#include "dialogs/EditacePredvolbyPlatby_f.h"
#include "dialogs/PredvolbyPlateb_f.h"
#include "dialogs/VyberPolozky_f.h"
#include "order/PaymentOrder.h"
#include "order/Presets.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <functional>
#include <memory>

namespace {

// The file as the manager must have written it: Windows-1250, CR LF after every line.
QByteArray FileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Cp1250::Encode(line) + "\r\n";
    return bytes;
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll(); // Ctrl+A is a refused key in the numeric fields
    QTest::keyClick(edit, Qt::Key_Backspace);
    Type(edit, text);
}

QStringList Names(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

QStringList Fields(const TEditacePredvolbyPlatby* e) {
    return {e->Ed_NazevPlatby->text(), e->Ed_Ucet->text(),       e->Ed_Kod->text(),     e->Ed_VarSymbol->text(),
            e->Ed_KonstSymbol->text(), e->Ed_SpecSymbol->text(), e->Ed_Komentar->text()};
}

QString Records() {
    QStringList out;
    for (const DialogHook::Record& r : DialogHook::Records())
        out << r.kind + ": " + r.caption + ": " + r.text;
    return out.join(QLatin1Char('\n'));
}

} // namespace

class TestPresetsDialogs : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeHost> m_host;

    QString folder() const { return m_dir->path() + QStringLiteral("/"); }
    QString path() const { return PresetsFilePath(folder()); }
    void writeFile(const QStringList& lines) {
        QFile f(path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(FileBytes(lines));
    }

    // Runs the manager's button while the preset editor that it opens is handled by act.
    bool withEditor(QPushButton* button, const std::function<void(TEditacePredvolbyPlatby*)>& act) {
        return withEditor([button] { button->click(); }, act);
    }
    // Runs trigger, which must open no editor nor any other modal window.
    static bool opensNothing(const std::function<void()>& trigger) {
        const NoModalWindow none;
        trigger();
        return !none.appeared();
    }
    // The same for any trigger, such as a key press.
    bool withEditor(const std::function<void()>& trigger, const std::function<void(TEditacePredvolbyPlatby*)>& act) {
        bool seen = false;
        ModalAction action([&](QWidget* w) {
            auto* editor = qobject_cast<TEditacePredvolbyPlatby*>(w);
            if (!editor) {
                w->close();
                return;
            }
            seen = true;
            act(editor);
            if (editor->isVisible())
                editor->reject();
        });
        trigger();
        return seen;
    }

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Velorin")); }
    void init();
    void cleanup();

    // manager
    void managerWithoutFile();
    void addAppendsAndSaves();
    void managerKeyboard();
    void addAllEmptyNeedsAChange();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void editKeepsPosition();
    void editShortLineStoresWholeLine();
    void nothingSelected_data();
    void nothingSelected();
    void deleteAsksFirst();
    void sortAsksAndSaves();
    void sortWithoutFileDoesNothing();
    void barLineReadShifted();
    void failedSaveKeepsListAndFile();

    // preset editor
    void editorFieldsBehaveAsTheirKind_data();
    void editorFieldsBehaveAsTheirKind();
    void editorOkRule();
    void editorKeepsLongerProgramText();

    // picker
    void pickerListsNamesFirstSelected();
    void pickerSearchAcrossListEnd();
    void pickerSearchLandsOnLast();
    void pickerSearchCzechCase();
    void pickerSearchOnEmptyList();
    void pickerEnterConfirms();
    void pickerArrowsFromSearchField();
    void pickPreset_data();
    void pickPreset();

    void screenshots();
};

void TestPresetsDialogs::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_host = std::make_unique<FakeHost>();
    m_host->settingsData.ProgramFolder = folder();
    m_dialogs = DialogHook::Activate();
    ResetBeepCount();
    QApplication::clipboard()->clear();
}

void TestPresetsDialogs::cleanup() {
    QCOMPARE(DialogHook::UnansweredCount(), 0);
    m_dialogs.restore();
    m_host.reset();
    m_dir.reset();
}

void TestPresetsDialogs::managerWithoutFile() {
    TPredvolbyPlateb manager(*m_host);
    QCOMPARE(manager.windowTitle(), QStringLiteral("Předvolby plateb"));
    QCOMPARE(manager.ListBox1->count(), 0);
    QVERIFY(!manager.Tl_EditovatPolozku->isEnabled());
    QVERIFY(!manager.Tl_OdstranitPolozku->isEnabled());
    QVERIFY(manager.Tl_PridatPolozku->isEnabled());
    QVERIFY(manager.Tl_Setridit->isEnabled());
    QVERIFY(manager.Tl_Storno->isEnabled());
    QVERIFY(!QFile::exists(path()));
}

void TestPresetsDialogs::addAppendsAndSaves() {
    writeFile({"Voda|111|0100|||||", "Elektřina|222|0300|||||"});
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    QCOMPARE(Names(manager.ListBox1), (QStringList{"Voda", "Elektřina"}));

    QString caption;
    bool okAtShow = true;
    QVERIFY(withEditor(manager.Tl_PridatPolozku, [&](TEditacePredvolbyPlatby* e) {
        caption = e->windowTitle();
        okAtShow = e->Tl_Ok->isEnabled();
        QCOMPARE(Fields(e), QStringList(7, QString()));
        Type(e->Ed_NazevPlatby, "  Nájem – byt Žižkov ");
        QTest::keyClick(e->Ed_NazevPlatby, Qt::Key_Tab);
        Type(e->Ed_Ucet, "19-2000145399");
        Type(e->Ed_Kod, "0800");
        Type(e->Ed_VarSymbol, "2024");
        Type(e->Ed_KonstSymbol, "0308");
        Type(e->Ed_SpecSymbol, "77");
        Type(e->Ed_Komentar, " měsíční platba  ");
        QVERIFY(e->Tl_Ok->isEnabled());
        QTest::keyClick(e->Ed_Komentar, Qt::Key_Return); // Ok is the default button
    }));
    QCOMPARE(caption, QStringLiteral("Nová položka předvolby"));
    QVERIFY(!okAtShow);

    const QStringList expected{"Voda|111|0100|||||", "Elektřina|222|0300|||||",
                               "Nájem – byt Žižkov|19-2000145399|0800|2024|0308|77|měsíční platba|"};
    QCOMPARE(ReadAll(path()), FileBytes(expected));
    QCOMPARE(manager.presetLines(), expected);
    QCOMPARE(Names(manager.ListBox1), (QStringList{"Voda", "Elektřina", "Nájem – byt Žižkov"}));
    QVERIFY(manager.ListBox1->selectedItems().isEmpty());
    QVERIFY(manager.Tl_EditovatPolozku->isEnabled());
    QVERIFY(DialogHook::Records().isEmpty());
}

void TestPresetsDialogs::managerKeyboard() {
    writeFile({"Voda|111|0100|||||"});
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    QApplication::setActiveWindow(&manager);
    QVERIFY(QTest::qWaitForWindowActive(&manager));
    // Enter in the list presses nothing; on a button it presses that button.
    manager.ListBox1->setFocus();
    QVERIFY(opensNothing([&] { QTest::keyClick(manager.ListBox1, Qt::Key_Return); }));
    QVERIFY(DialogHook::Records().isEmpty());
    manager.Tl_PridatPolozku->setFocus();
    QVERIFY(withEditor([&] { QTest::keyClick(manager.Tl_PridatPolozku, Qt::Key_Return); },
                       [](TEditacePredvolbyPlatby* e) {
                           Type(e->Ed_NazevPlatby, "Plyn");
                           QTest::keyClick(e->Ed_NazevPlatby, Qt::Key_Return);
                       }));
    QCOMPARE(ReadAll(path()), FileBytes({"Voda|111|0100|||||", "Plyn|||||||"}));
    // Esc closes the manager; everything is saved already.
    QTest::keyClick(manager.ListBox1, Qt::Key_Escape);
    QVERIFY(!manager.isVisible());
    QCOMPARE(manager.result(), int(QDialog::Rejected));
}

void TestPresetsDialogs::addAllEmptyNeedsAChange() {
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    QVERIFY(withEditor(manager.Tl_PridatPolozku, [&](TEditacePredvolbyPlatby* e) {
        QTest::keyClick(e->Ed_NazevPlatby, Qt::Key_Return); // no change yet: Enter does nothing
        QVERIFY(e->isVisible());
        QVERIFY(!e->Tl_Ok->isEnabled());
        QTest::keyClicks(e->Ed_Ucet, "5");
        QTest::keyClick(e->Ed_Ucet, Qt::Key_Backspace);
        QVERIFY(e->Tl_Ok->isEnabled());
        e->Tl_Ok->click();
    }));
    QCOMPARE(ReadAll(path()), QByteArray("|||||||\r\n"));
    QCOMPARE(Names(manager.ListBox1), QStringList{QString()});
    QVERIFY(manager.Tl_OdstranitPolozku->isEnabled());
}

void TestPresetsDialogs::cancelWritesNothing_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("how");
    QTest::newRow("add, Storno") << false << "storno";
    QTest::newRow("add, Esc") << false << "esc";
    QTest::newRow("edit, Storno") << true << "storno";
    QTest::newRow("edit, close box") << true << "close";
}

void TestPresetsDialogs::cancelWritesNothing() {
    QFETCH(bool, edit);
    QFETCH(QString, how);
    const QStringList lines{"Plyn|1|0100|||||", "Voda|2|0300|||||"};
    writeFile(lines);
    const QByteArray before = ReadAll(path());
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    if (edit)
        manager.ListBox1->setCurrentRow(1);
    QVERIFY(withEditor(edit ? manager.Tl_EditovatPolozku : manager.Tl_PridatPolozku, [&](TEditacePredvolbyPlatby* e) {
        Retype(e->Ed_NazevPlatby, "Změněno");
        QVERIFY(e->Tl_Ok->isEnabled());
        if (how == "storno")
            e->Tl_Storno2->click();
        else if (how == "esc")
            QTest::keyClick(e->Ed_NazevPlatby, Qt::Key_Escape);
        else
            e->close();
        QVERIFY(!e->isVisible());
    }));
    QCOMPARE(ReadAll(path()), before);
    QCOMPARE(manager.presetLines(), lines);
    QCOMPARE(Names(manager.ListBox1), (QStringList{"Plyn", "Voda"}));
}

void TestPresetsDialogs::editKeepsPosition() {
    writeFile({"Voda|111|0100|||||", "Plyn|222|0300|5|0308|6|záloha|", "Nájem|333|0800|||||"});
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    manager.ListBox1->setCurrentRow(1);
    QString caption;
    QStringList shown;
    QVERIFY(withEditor(manager.Tl_EditovatPolozku, [&](TEditacePredvolbyPlatby* e) {
        caption = e->windowTitle();
        shown = Fields(e);
        QVERIFY(!e->Tl_Ok->isEnabled());
        Retype(e->Ed_NazevPlatby, "Plyn a teplo ");
        Retype(e->Ed_VarSymbol, "777");
        e->Tl_Ok->click();
    }));
    QCOMPARE(caption, QStringLiteral("Editace položky - Plyn"));
    QCOMPARE(shown, (QStringList{"Plyn", "222", "0300", "5", "0308", "6", "záloha"}));
    QCOMPARE(ReadAll(path()),
             FileBytes({"Voda|111|0100|||||", "Plyn a teplo|222|0300|777|0308|6|záloha|", "Nájem|333|0800|||||"}));
    QCOMPARE(Names(manager.ListBox1), (QStringList{"Voda", "Plyn a teplo", "Nájem"}));
    QVERIFY(manager.ListBox1->selectedItems().isEmpty());

    // The entry under edit ends with the command: the next add appends.
    QVERIFY(withEditor(manager.Tl_PridatPolozku, [&](TEditacePredvolbyPlatby* e) {
        Type(e->Ed_NazevPlatby, "Nový");
        e->Tl_Ok->click();
    }));
    QCOMPARE(manager.presetLines().size(), 4);
    QCOMPARE(manager.presetLines().at(1), QStringLiteral("Plyn a teplo|222|0300|777|0308|6|záloha|"));
    QCOMPARE(manager.presetLines().at(3), QStringLiteral("Nový|||||||"));
}

void TestPresetsDialogs::editShortLineStoresWholeLine() {
    writeFile({"Voda|123"});
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    manager.ListBox1->setCurrentRow(0);
    QStringList shown;
    QVERIFY(withEditor(manager.Tl_EditovatPolozku, [&](TEditacePredvolbyPlatby* e) {
        shown = Fields(e);
        Type(e->Ed_Komentar, "doplněno");
        e->Tl_Ok->click();
    }));
    QCOMPARE(shown, (QStringList{"Voda", "", "", "", "", "", ""}));
    QCOMPARE(ReadAll(path()), FileBytes({"Voda||||||doplněno|"}));
}

void TestPresetsDialogs::nothingSelected_data() {
    QTest::addColumn<bool>("edit");
    QTest::newRow("Editovat") << true;
    QTest::newRow("Odstranit") << false;
}

void TestPresetsDialogs::nothingSelected() {
    QFETCH(bool, edit);
    writeFile({"Voda|111|0100|||||"});
    const QByteArray before = ReadAll(path());
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    QVERIFY(manager.Tl_EditovatPolozku->isEnabled());
    QVERIFY(manager.Tl_OdstranitPolozku->isEnabled());
    QVERIFY(opensNothing([&] { (edit ? manager.Tl_EditovatPolozku : manager.Tl_OdstranitPolozku)->click(); }));
    QCOMPARE(Records(), QStringLiteral("info: Velorin: Není vybrána žádná položka"));
    QCOMPARE(ReadAll(path()), before);
    QCOMPARE(manager.ListBox1->count(), 1);
}

void TestPresetsDialogs::deleteAsksFirst() {
    writeFile({"Voda|111|0100|||||", "Plyn|222|0300|||||", "Nájem|333|0800|||||"});
    const QByteArray before = ReadAll(path());
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    manager.ListBox1->setCurrentRow(1);

    DialogHook::PushAnswer(Answer::No);
    manager.Tl_OdstranitPolozku->click();
    QCOMPARE(Records(), QStringLiteral("question: Smazání položky: Opravdu chcete vybranou položku odstranit?"));
    QCOMPARE(ReadAll(path()), before);
    QCOMPARE(manager.ListBox1->count(), 3);

    DialogHook::PushAnswer(Answer::Yes);
    manager.Tl_OdstranitPolozku->click();
    QCOMPARE(ReadAll(path()), FileBytes({"Voda|111|0100|||||", "Nájem|333|0800|||||"}));
    QCOMPARE(Names(manager.ListBox1), (QStringList{"Voda", "Nájem"}));
    QVERIFY(manager.ListBox1->selectedItems().isEmpty());

    for (int i = 0; i < 2; ++i) {
        manager.ListBox1->setCurrentRow(0);
        DialogHook::PushAnswer(Answer::Yes);
        manager.Tl_OdstranitPolozku->click();
    }
    QCOMPARE(ReadAll(path()), QByteArray());
    QVERIFY(!manager.Tl_EditovatPolozku->isEnabled());
    QVERIFY(!manager.Tl_OdstranitPolozku->isEnabled());
}

void TestPresetsDialogs::sortAsksAndSaves() {
    const QStringList lines{"voda|5||||||",  "Nájem|45|0100|||||", "čistírna|7||||||", "Nájem|123|0800|||||",
                            "Chata|9||||||", "cukr|1||||||",       "Hora|8||||||"};
    writeFile(lines);
    const QByteArray before = ReadAll(path());
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    manager.ListBox1->setCurrentRow(2);

    DialogHook::PushAnswer(Answer::No);
    manager.Tl_Setridit->click();
    QCOMPARE(Records(),
             QStringLiteral("question: Varování: Opravdu chcete setřídit položky v seznamu?\r\n(po setřídění "
                            "dojde k uložení položek v novém pořadí)"));
    QCOMPARE(ReadAll(path()), before);

    DialogHook::PushAnswer(Answer::Yes);
    manager.Tl_Setridit->click();
    const QStringList sorted{"cukr|1||||||",        "čistírna|7||||||",   "Hora|8||||||", "Chata|9||||||",
                             "Nájem|123|0800|||||", "Nájem|45|0100|||||", "voda|5||||||"};
    QCOMPARE(ReadAll(path()), FileBytes(sorted));
    QCOMPARE(manager.presetLines(), sorted);
    QCOMPARE(Names(manager.ListBox1), (QStringList{"cukr", "čistírna", "Hora", "Chata", "Nájem", "Nájem", "voda"}));
    QVERIFY(manager.ListBox1->selectedItems().isEmpty());

    // The picker lists them in the new order.
    TVyberPolozky picker(folder());
    QCOMPARE(Names(picker.ListBox1), Names(manager.ListBox1));
}

void TestPresetsDialogs::sortWithoutFileDoesNothing() {
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    manager.Tl_Setridit->click();
    QVERIFY2(DialogHook::Records().isEmpty(), qPrintable(Records()));
    QVERIFY(!QFile::exists(path()));
    QCOMPARE(manager.ListBox1->count(), 0);
}

void TestPresetsDialogs::barLineReadShifted() {
    writeFile({"Na|jem|19-2000|0800|123|0308|9|byt|", "Voda|1|0100|||||"});
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    QCOMPARE(Names(manager.ListBox1), (QStringList{"Na", "Voda"}));
    manager.ListBox1->setCurrentRow(0);
    QString caption;
    QStringList shown;
    QVERIFY(withEditor(manager.Tl_EditovatPolozku, [&](TEditacePredvolbyPlatby* e) {
        caption = e->windowTitle();
        shown = Fields(e);
        e->Tl_Storno2->click();
    }));
    QCOMPARE(caption, QStringLiteral("Editace položky - Na"));
    QCOMPARE(shown, (QStringList{"Na", "jem", "19-2000", "0800", "123", "0308", "9"}));

    // The picker shows the same name and the item takes the fields shifted by one.
    TVyberPolozky picker(folder());
    QCOMPARE(Names(picker.ListBox1), (QStringList{"Na", "Voda"}));
    const std::optional<PaymentPreset> p = picker.selectedPreset();
    QVERIFY(p);
    QCOMPARE(p->Account, QStringLiteral("jem"));
    QCOMPARE(p->BankCode, QStringLiteral("19-2000"));
    QCOMPARE(p->Comment, QStringLiteral("9"));
}

void TestPresetsDialogs::failedSaveKeepsListAndFile() {
    writeFile({"Voda|111|0100|||||"});
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    // The program folder is gone, so no file can be written into it.
    QVERIFY(QDir(m_dir->path()).removeRecursively());
    QVERIFY(withEditor(manager.Tl_PridatPolozku, [&](TEditacePredvolbyPlatby* e) {
        Type(e->Ed_NazevPlatby, "Plyn");
        e->Tl_Ok->click();
    }));
    const QList<DialogHook::Record> records = DialogHook::Records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).kind, QStringLiteral("error"));
    QVERIFY2(records.at(0).text.contains(QStringLiteral("predvolby.pvb")), qPrintable(records.at(0).text));
    QCOMPARE(Names(manager.ListBox1), QStringList{"Voda"});
    QCOMPARE(manager.presetLines(), QStringList{"Voda|111|0100|||||"});
}

// Each field takes and refuses text as its kind; tst_fieldguard has what each kind lets in.
void TestPresetsDialogs::editorFieldsBehaveAsTheirKind_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("limit");
    QTest::newRow("name") << "Ed_NazevPlatby"
                          << "preset text" << 0;
    QTest::newRow("account") << "Ed_Ucet"
                             << "preset number" << 17;
    QTest::newRow("bank code") << "Ed_Kod"
                               << "preset number" << 4;
    QTest::newRow("variable symbol") << "Ed_VarSymbol"
                                     << "preset number" << 10;
    QTest::newRow("constant symbol") << "Ed_KonstSymbol"
                                     << "preset number" << 4;
    QTest::newRow("specific symbol") << "Ed_SpecSymbol"
                                     << "preset number" << 10;
    QTest::newRow("comment") << "Ed_Komentar"
                             << "preset text" << 0;
}

void TestPresetsDialogs::editorFieldsBehaveAsTheirKind() {
    QFETCH(QString, field);
    QFETCH(QString, kind);
    QFETCH(int, limit);
    TEditacePredvolbyPlatby editor;
    editor.show();
    auto* edit = editor.findChild<QLineEdit*>(field);
    QVERIFY(edit);
    FieldKind like = FieldNamed(kind);
    like.rules.limit = limit;
    QWidget standIns;
    QLineEdit* standIn = GuardedLike(like, &standIns);
    standIns.show();
    QCOMPARE(FieldBehaviour(edit), FieldBehaviour(standIn));
}

void TestPresetsDialogs::editorOkRule() {
    TEditacePredvolbyPlatby editor;
    editor.setPreset(PresetFromLine(QStringLiteral("Plyn|222|0300|5|0308|6|záloha|")));
    editor.show();
    QVERIFY(!editor.Tl_Ok->isEnabled());
    QTest::keyClick(editor.Ed_NazevPlatby, Qt::Key_Return);
    QVERIFY(editor.isVisible());
    // Refused keys are no change.
    QTest::keyClicks(editor.Ed_Ucet, "a");
    Type(editor.Ed_NazevPlatby, "|");
    QApplication::clipboard()->setText(QStringLiteral("x|y"));
    editor.Ed_Komentar->paste();
    QVERIFY(!editor.Tl_Ok->isEnabled());
    editor.Ed_Kod->end(false);
    QTest::keyClick(editor.Ed_Kod, Qt::Key_Backspace);
    QVERIFY(editor.Tl_Ok->isEnabled());
    QTest::keyClicks(editor.Ed_Kod, "1");
    QVERIFY(editor.Tl_Ok->isEnabled()); // back to the old text, still enabled
    QCOMPARE(editor.preset(), PresetFromLine(QStringLiteral("Plyn|222|0301|5|0308|6|záloha|")));

    // Shown again (the next edit), OK starts disabled again.
    editor.hide();
    editor.show();
    QVERIFY(!editor.Tl_Ok->isEnabled());

    // Tab order.
    const QList<QWidget*> order{editor.Ed_NazevPlatby, editor.Ed_Ucet,        editor.Ed_Kod,
                                editor.Ed_VarSymbol,   editor.Ed_KonstSymbol, editor.Ed_SpecSymbol,
                                editor.Ed_Komentar,    editor.Tl_Ok,          editor.Tl_Storno2};
    for (int i = 0; i + 1 < order.size(); ++i)
        QCOMPARE(order.at(i)->nextInFocusChain(), order.at(i + 1));
}

void TestPresetsDialogs::editorKeepsLongerProgramText() {
    // A shifted line puts the account into the four-digit bank code field: nothing of it may be cut.
    TEditacePredvolbyPlatby editor;
    editor.setPreset(PresetFromLine(QStringLiteral("Na|jem|19-2000|0800|123|0308|9|byt|")));
    editor.show();
    QCOMPARE(editor.Ed_Kod->text(), QStringLiteral("19-2000"));
    editor.Ed_Kod->end(false);
    QTest::keyClicks(editor.Ed_Kod, "5");
    QCOMPARE(editor.Ed_Kod->text(), QStringLiteral("19-2000"));
    QTest::keyClick(editor.Ed_Kod, Qt::Key_Backspace);
    QTest::keyClicks(editor.Ed_Kod, "9");
    QCOMPARE(editor.Ed_Kod->text(), QStringLiteral("19-200"));
    QTest::keyClick(editor.Ed_Kod, Qt::Key_Backspace);
    QTest::keyClick(editor.Ed_Kod, Qt::Key_Backspace);
    QTest::keyClick(editor.Ed_Kod, Qt::Key_Backspace);
    QTest::keyClicks(editor.Ed_Kod, "34");
    QCOMPARE(editor.Ed_Kod->text(), QStringLiteral("19-3"));
    QCOMPARE(editor.preset().Account, QStringLiteral("jem"));
}

void TestPresetsDialogs::pickerListsNamesFirstSelected() {
    writeFile({"Voda|1|0100|||||", "bez čáry", "|||||||", "Plyn|2|0300|||||"});
    TVyberPolozky picker(folder());
    QCOMPARE(picker.windowTitle(), QStringLiteral("Výběr položky z předvolby"));
    QCOMPARE(Names(picker.ListBox1), (QStringList{"Voda", "", "", "Plyn"}));
    QCOMPARE(picker.selectedIndex(), 0);
    QCOMPARE(picker.minimumWidth(), 460);
    QVERIFY(picker.Tl_Vlozit->isDefault());
    QCOMPARE(picker.Akce_Hledat->shortcut(), QKeySequence(Qt::Key_F3));
}

void TestPresetsDialogs::pickerSearchAcrossListEnd() {
    writeFile({"Alfa|||||||", "Beta|||||||", "alfa dvě|||||||", "Gama|||||||", "ALFA tři|||||||"});
    TVyberPolozky picker(folder());
    picker.show();
    QApplication::setActiveWindow(&picker);
    QVERIFY(QTest::qWaitForWindowActive(&picker));
    Type(picker.Ed_Hledat, "  alfa ");

    // The first entry is selected, so the search starts at the second one.
    QTest::keyClick(picker.Ed_Hledat, Qt::Key_F3);
    QCOMPARE(picker.selectedIndex(), 2);
    QTest::keyClick(picker.ListBox1, Qt::Key_F3);
    QCOMPARE(picker.selectedIndex(), 4); // a match on the last entry, reached by the walk
    QVERIFY(DialogHook::Records().isEmpty());

    // Past the last match: the message, and the selection stays on the last entry, twice.
    for (int i = 0; i < 2; ++i) {
        picker.Tl_Hledat->click();
        QCOMPARE(Records(), QStringLiteral("plain: Velorin: Další shoda výrazu nenalezena."));
        QCOMPARE(picker.selectedIndex(), 4);
        DialogHook::ClearRecords();
    }

    // No match at all: the walk ends on the last entry. The search never wraps to the start.
    picker.ListBox1->setCurrentRow(0);
    Retype(picker.Ed_Hledat, "delta");
    picker.Tl_Hledat->click();
    QCOMPARE(Records(), QStringLiteral("plain: Velorin: Další shoda výrazu nenalezena."));
    QCOMPARE(picker.selectedIndex(), 4);
    DialogHook::ClearRecords();

    // Blanks only.
    Retype(picker.Ed_Hledat, "   ");
    picker.ListBox1->setFocus();
    picker.Tl_Hledat->click();
    QCOMPARE(Records(), QStringLiteral("plain: Velorin: Zadejte výraz..."));
    QCOMPARE(QApplication::focusWidget(), picker.Ed_Hledat);
    QCOMPARE(picker.selectedIndex(), 4);
}

void TestPresetsDialogs::pickerSearchLandsOnLast() {
    writeFile({"x|||||||", "y|||||||", "hledaná|||||||"});
    TVyberPolozky picker(folder());
    picker.ListBox1->setCurrentRow(1);
    Type(picker.Ed_Hledat, "HLED");
    picker.Akce_HledatExecute();
    QCOMPARE(picker.selectedIndex(), 2);
    QVERIFY(DialogHook::Records().isEmpty());

    // With no selection the forward step selects the first entry, which the walk then tests.
    picker.ListBox1->clearSelection();
    QCOMPARE(picker.selectedIndex(), -1);
    Retype(picker.Ed_Hledat, "x");
    picker.Akce_HledatExecute();
    QCOMPARE(picker.selectedIndex(), 0);
    QVERIFY(DialogHook::Records().isEmpty());
}

void TestPresetsDialogs::pickerSearchCzechCase() {
    writeFile({"první|||||||", "ČAJ a KÁVA|||||||", "Éčko|||||||", "Řeka|||||||"});
    TVyberPolozky picker(folder());
    Type(picker.Ed_Hledat, "čaj a ká");
    picker.Akce_HledatExecute();
    QCOMPARE(picker.selectedIndex(), 1);
    // Diacritics are not folded: a plain e is not é.
    Retype(picker.Ed_Hledat, "ec");
    picker.Akce_HledatExecute();
    QCOMPARE(Records(), QStringLiteral("plain: Velorin: Další shoda výrazu nenalezena."));
    QCOMPARE(picker.selectedIndex(), 3);
}

void TestPresetsDialogs::pickerSearchOnEmptyList() {
    TVyberPolozky picker(folder());
    QCOMPARE(picker.ListBox1->count(), 0);
    QCOMPARE(picker.selectedIndex(), -1);
    Type(picker.Ed_Hledat, "abc");
    picker.Tl_Hledat->click();
    QCOMPARE(Records(), QStringLiteral("plain: Velorin: Další shoda výrazu nenalezena."));
}

void TestPresetsDialogs::pickerEnterConfirms() {
    writeFile({"Alfa|||||||", "Beta|||||||"});
    TVyberPolozky picker(folder());
    ModalAction action([&](QWidget*) {
        Type(picker.Ed_Hledat, "beta");
        QTest::keyClick(picker.Ed_Hledat, Qt::Key_Return);
    });
    QCOMPARE(picker.exec(), int(QDialog::Accepted));
    QVERIFY(action.happened());
    QCOMPARE(picker.selectedIndex(), 0); // Enter confirms, it does not search
    QVERIFY(DialogHook::Records().isEmpty());
}

void TestPresetsDialogs::pickerArrowsFromSearchField() {
    writeFile({"Alfa|||||||", "Beta|||||||", "Gama|||||||"});
    TVyberPolozky picker(folder());
    picker.show();
    QApplication::setActiveWindow(&picker);
    QVERIFY(QTest::qWaitForWindowActive(&picker));
    QCOMPARE(QApplication::focusWidget(), picker.Ed_Hledat);
    QTest::keyClick(picker.Ed_Hledat, Qt::Key_Down);
    QTest::keyClick(picker.Ed_Hledat, Qt::Key_Down);
    QCOMPARE(picker.selectedIndex(), 2);
    QTest::keyClick(picker.Ed_Hledat, Qt::Key_Up);
    QCOMPARE(picker.selectedIndex(), 1);
    QCOMPARE(QApplication::focusWidget(), picker.Ed_Hledat);
}

void TestPresetsDialogs::pickPreset_data() {
    QTest::addColumn<QStringList>("lines"); // empty: no file
    QTest::addColumn<QString>("act");       // what the user does in the picker
    QTest::addColumn<QString>("taken");     // the preset as a line, or empty
    QTest::addColumn<QString>("records");
    QTest::newRow("first entry at once") << QStringList{"Nájem|19-2000|0800|123|0308|9|byt|", "Voda|1|0100|||||"}
                                         << "vlozit"
                                         << "Nájem|19-2000|0800|123|0308|9|byt|"
                                         << "";
    QTest::newRow("second entry by search and Enter")
        << QStringList{"Nájem|19-2000|0800|123|0308|9|byt|", "Voda|1|0100|||||"} << "search voda"
        << "Voda|1|0100|||||"
        << "";
    QTest::newRow("empty values taken too") << QStringList{"Prázdná|||||||"} << "vlozit"
                                            << "Prázdná|||||||"
                                            << "";
    QTest::newRow("cancelled with Storno") << QStringList{"Voda|1|0100|||||"} << "storno"
                                           << ""
                                           << "";
    QTest::newRow("cancelled with Esc") << QStringList{"Voda|1|0100|||||"} << "esc"
                                        << ""
                                        << "";
    QTest::newRow("no file") << QStringList{} << "vlozit"
                             << ""
                             << "plain: Velorin: Není vybraná žádná položka.";
    QTest::newRow("nothing selected") << QStringList{"Voda|1|0100|||||"} << "deselect"
                                      << ""
                                      << "plain: Velorin: Není vybraná žádná položka.";
    QTest::newRow("damaged line") << QStringList{"Voda|1|0100|"} << "vlozit"
                                  << ""
                                  << "info: Velorin: Položku nelze přenést, možná je poškozený soubor "
                                     "\"predvolby.pvb\".";
}

void TestPresetsDialogs::pickPreset() {
    QFETCH(QStringList, lines);
    QFETCH(QString, act);
    QFETCH(QString, taken);
    QFETCH(QString, records);
    if (!lines.isEmpty())
        writeFile(lines);
    QWidget owner;
    ModalAction action([&](QWidget* w) {
        auto* picker = qobject_cast<TVyberPolozky*>(w);
        if (!picker) {
            w->close();
            return;
        }
        if (act == "vlozit") {
            picker->Tl_Vlozit->click();
        } else if (act == "storno") {
            picker->Tl_Storno2->click();
        } else if (act == "esc") {
            QTest::keyClick(picker->ListBox1, Qt::Key_Escape);
        } else if (act == "deselect") {
            picker->ListBox1->clearSelection();
            QTest::keyClick(picker->ListBox1, Qt::Key_Return);
        } else {
            Type(picker->Ed_Hledat, act.mid(7));
            picker->Tl_Hledat->click();
            QTest::keyClick(picker->Ed_Hledat, Qt::Key_Return);
        }
    });
    const std::optional<PaymentPreset> preset = TVyberPolozky::PickPreset(folder(), &owner);
    QVERIFY(action.happened());
    QCOMPARE(preset.has_value(), !taken.isEmpty());
    if (preset)
        QCOMPARE(*preset, PresetFromLine(taken));
    QCOMPARE(Records(), records);
}

// Pictures of the three windows for a look by eye: VELORIN_SCREENSHOTS=<folder>.
void TestPresetsDialogs::screenshots() {
    const QString out = qEnvironmentVariable("VELORIN_SCREENSHOTS");
    if (out.isEmpty())
        QSKIP("VELORIN_SCREENSHOTS not set");
    QDir().mkpath(out);
    writeFile({"Nájem – byt Žižkov|19-2000145399|0800|2024|0308|77|měsíční platba|",
               "Elektřina ČEZ|123456789|0300|556677|0308||záloha|", "Plyn Pražská plynárenská|987654|0100|||||",
               "Voda a stočné|35-11223344|0800|||||", "Internet|2400112233|2010|||||",
               "Pojištění domácnosti|66778899|5500|||||"});
    TPredvolbyPlateb manager(*m_host);
    manager.show();
    manager.ListBox1->setCurrentRow(0);
    QTest::qWait(50);
    QVERIFY(manager.grab().save(out + "/predvolby.png"));

    TEditacePredvolbyPlatby editor;
    editor.setWindowTitle(QStringLiteral("Editace položky - Nájem – byt Žižkov"));
    editor.setPreset(PresetFromLine(manager.presetLines().at(0)));
    editor.show();
    QTest::qWait(50);
    QVERIFY(editor.grab().save(out + "/editace-predvolby.png"));

    TVyberPolozky picker(folder());
    picker.show();
    Type(picker.Ed_Hledat, "plyn");
    QTest::qWait(50);
    QVERIFY(picker.grab().save(out + "/vyber-polozky.png"));
}

QTEST_MAIN(TestPresetsDialogs)
#include "tst_presets_dialogs.moc"

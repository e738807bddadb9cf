#include "HostileText.h"
#include "TestModal.h"
#include "common/AboutBox.h"
#include "common/Clock.h"
#include "common/CommandRunner.h"
#include "common/DatePicker.h"
#include "common/DialogHook.h"
#include "common/Dialogs.h"
#include "common/Error.h"
#include "common/PlainText.h"
#include "common/TextWindow.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeView>
#include <functional>
#include <stdexcept>

namespace {

// Saves a picture of the widget when VELORIN_SCREENSHOT_DIR names a folder.
void Screenshot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("VELORIN_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    w.show();
    QTest::qWait(50);
    w.grab().save(QDir(dir).filePath(name));
}

QModelIndex CellOf(QTableView* view, int columnOffset) {
    const QModelIndex current = view->currentIndex();
    return view->model()->index(current.row(), current.column() + columnOffset);
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
    SeamGuard m_dialogs;

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Velorin")); }
    void init() { m_dialogs = DialogHook::Activate(); }
    void cleanup() { m_dialogs.restore(); }

    void hookAnswersQuestionsInOrder() {
        DialogHook::PushAnswer(Answer::Yes);
        DialogHook::PushAnswer(Answer::No);
        DialogHook::PushAnswer(Answer::Yes);
        QCOMPARE(QuestionBox(QString(), QStringLiteral("První?"), QuestionKind::Question), Answer::Yes);
        QCOMPARE(QuestionBox(QStringLiteral("Mazání"), QStringLiteral("Druhá?"), QuestionKind::Warning), Answer::No);
        QCOMPARE(QuestionBox(QString(), QStringLiteral("Třetí?"), QuestionKind::Question), Answer::Yes);
        QCOMPARE(DialogHook::UnansweredCount(), 0);
        // Nothing queued: counted, and answered No as Enter would.
        QCOMPARE(QuestionBox(QString(), QStringLiteral("Čtvrtá?"), QuestionKind::Question), Answer::No);
        QCOMPARE(DialogHook::UnansweredCount(), 1);

        const QList<DialogHook::Record> r = DialogHook::Records();
        QCOMPARE(r.size(), 4);
        QCOMPARE(r[0].kind, QStringLiteral("question"));
        QCOMPARE(r[0].caption, QStringLiteral("Velorin"));
        QCOMPARE(r[1].kind, QStringLiteral("warning"));
        QCOMPARE(r[1].caption, QStringLiteral("Mazání"));
        QCOMPARE(r[3].text, QStringLiteral("Čtvrtá?"));

        const SeamGuard again = DialogHook::Activate(); // starts afresh
        QCOMPARE(DialogHook::Records().size(), 0);
        QCOMPARE(DialogHook::UnansweredCount(), 0);
    }

    void hookRecordsEveryKind() {
        PlainMessage(QStringLiteral("a"));
        InfoBox(QStringLiteral("b"));
        InfoBoxCaption(QStringLiteral("Titulek"), QStringLiteral("c"));
        ErrorBox(QStringLiteral("d"));
        ShowAboutBox(QStringLiteral("1.4"), QStringLiteral("2022-01-07"));
        ShowTextWindow(QStringLiteral("Výpis"), QStringLiteral("e"));
        ShellOpen(QStringLiteral("http://www.velorin.example"));
        const QList<DialogHook::Record> r = DialogHook::Records();
        QCOMPARE(r.size(), 7);
        const QStringList kinds{"plain", "info", "info", "error", "about", "text", "shell"};
        for (int i = 0; i < r.size(); ++i)
            QCOMPARE(r[i].kind, kinds[i]);
        QCOMPARE(r[2].caption, QStringLiteral("Titulek"));
        QCOMPARE(r[3].text, QStringLiteral("d."));
        QCOMPARE(r[4].caption, QStringLiteral("O programu Velorin"));
        QCOMPARE(r[4].text, QStringLiteral("1.4     2022-01-07"));
    }

    void hookDatesAndFileNames() {
        const QDate given(2022, 1, 7);
        QDate date = given;
        DialogHook::PushDate(QDate(2022, 1, 10));
        DialogHook::PushDate(given);
        DialogHook::PushDate(std::nullopt);
        QVERIFY(PickDate(date));
        QCOMPARE(date, QDate(2022, 1, 10));
        date = given;
        QVERIFY(!PickDate(date)); // the same day
        QVERIFY(!PickDate(date)); // cancelled
        QVERIFY(!PickDate(date)); // nothing queued
        QCOMPARE(date, given);

        DialogHook::PushFileName(QStringLiteral("/tmp/x.abo"));
        QCOMPARE(GetSaveFileName(QStringLiteral("Uložit"), QStringLiteral("/tmp/a.abo"), QStringLiteral("*.abo"),
                                 QStringLiteral("abo")),
                 QStringLiteral("/tmp/x.abo"));
        QCOMPARE(GetSaveFileName(QStringLiteral("Uložit"), QStringLiteral("/tmp/a.abo"), QStringLiteral("*.abo"),
                                 QStringLiteral("abo")),
                 QString());
        QCOMPARE(DialogHook::Records().last().kind, QStringLiteral("save"));
        QCOMPARE(DialogHook::Records().last().text, QStringLiteral("/tmp/a.abo"));
    }

    // Every kind that takes a scripted answer counts a call with nothing queued.
    void hookFileDialogsAndInputBox() {
        FileDialogRequest open;
        open.caption = QStringLiteral("Načíst číselník bank");
        open.start = QStringLiteral("/tmp/velorin");
        FileDialogRequest save = open;
        save.mode = FileDialogRequest::Mode::Save;
        save.caption = QStringLiteral("Export do PDF");
        save.start = QStringLiteral("/tmp/velorin/sestava.pdf");
        save.askBeforeReplacing = false;
        DialogHook::PushFileName(QStringLiteral("/tmp/banky.csv"));
        DialogHook::PushFileName(QStringLiteral("/tmp/x.pdf"));
        QCOMPARE(GetFileName(open), QStringLiteral("/tmp/banky.csv"));
        QCOMPARE(GetFileName(save), QStringLiteral("/tmp/x.pdf"));
        QCOMPARE(DialogHook::UnansweredCount(), 0);
        QCOMPARE(GetOpenFileName(open.caption, open.start, QString()), QString());
        QCOMPARE(DialogHook::UnansweredCount(), 1);

        DialogHook::PushText(QStringLiteral("NÁJEM"));
        DialogHook::PushText(QString());
        DialogHook::PushText(std::nullopt);
        const QString caption = QStringLiteral("Rozšířený filtr");
        const QString label = QStringLiteral("Aktuální pole: Účel");
        QCOMPARE(GetText(caption, label, QStringLiteral("Nájem leden")),
                 std::optional<QString>(QStringLiteral("NÁJEM")));
        QCOMPARE(GetText(caption, label, QString()), std::optional<QString>(QString()));
        QCOMPARE(GetText(caption, label, QString()), std::nullopt);
        QCOMPARE(DialogHook::UnansweredCount(), 1);
        QCOMPARE(GetText(caption, label, QString()), std::nullopt);
        QCOMPARE(DialogHook::UnansweredCount(), 2);
        QDate date(2022, 1, 7);
        QVERIFY(!PickDate(date));
        QCOMPARE(DialogHook::UnansweredCount(), 3);

        const QList<DialogHook::Record> r = DialogHook::Records();
        QCOMPARE(r.size(), 8);
        QCOMPARE(r[0].kind, QStringLiteral("open"));
        QCOMPARE(r[0].caption, open.caption);
        QCOMPARE(r[0].text, open.start);
        QCOMPARE(r[1].kind, QStringLiteral("save"));
        QCOMPARE(r[1].caption, save.caption);
        QCOMPARE(r[1].text, save.start);
        QCOMPARE(r[3].kind, QStringLiteral("input"));
        QCOMPARE(r[3].caption, caption);
        QCOMPARE(r[3].text, label);
        QCOMPARE(r[3].value, QStringLiteral("Nájem leden"));
    }

    // The real dialogs: the Czech file list for opening as for saving, and the mode asked for.
    void fileDialogsListInCzech_data() {
        QTest::addColumn<bool>("saving");
        QTest::addColumn<bool>("asks");
        QTest::newRow("open") << false << false;
        QTest::newRow("save") << true << true;
        QTest::newRow("save, replacing without asking") << true << false;
    }
    void fileDialogsListInCzech() {
        QFETCH(bool, saving);
        QFETCH(bool, asks);
        const SeamGuard realDialogs = DialogHook::Deactivate();
        QTemporaryDir dir;
        QWidget owner;
        QString caption, suffix, folder;
        bool czech = false, askedToReplace = false;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QFileDialog::FileMode files = QFileDialog::AnyFile;
        QWidget* parent = nullptr;
        ModalAction act([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            czech = dialog->proxyModel() != nullptr;
            mode = dialog->acceptMode();
            files = dialog->fileMode();
            askedToReplace = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            suffix = dialog->defaultSuffix();
            parent = dialog->parentWidget();
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        QString chosen;
        if (!saving) {
            chosen = GetOpenFileName(QStringLiteral("Načíst číselník bank"), dir.path(),
                                     QStringLiteral("Číselník bank (*.csv);;Všechny soubory (*)"));
        } else {
            FileDialogRequest request;
            request.mode = FileDialogRequest::Mode::Save;
            request.caption = QStringLiteral("Uložit");
            request.start = dir.filePath(QStringLiteral("nove.pdf"));
            request.defaultSuffix = QStringLiteral("pdf");
            request.askBeforeReplacing = asks;
            request.parent = &owner;
            chosen = GetFileName(request);
        }
        QVERIFY(act.happened());
        QCOMPARE(chosen, QString());
        QVERIFY(czech);
        QCOMPARE(caption, saving ? QStringLiteral("Uložit") : QStringLiteral("Načíst číselník bank"));
        QCOMPARE(mode, saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(files, saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        QCOMPARE(folder, QDir(dir.path()).absolutePath());
        if (saving) {
            // Qt's own question is never asked; the program asks in its own box when the file exists.
            QVERIFY(!askedToReplace);
            QCOMPARE(suffix, QStringLiteral("pdf"));
            QCOMPARE(parent, &owner);
        }
    }

    // The real input box: caption, label and start text; OK gives the text, even an empty one.
    void inputBox() {
        const SeamGuard realDialogs = DialogHook::Deactivate();
        QString caption, label, start;
        ModalAction ok([&](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            QVERIFY(input);
            caption = input->windowTitle();
            label = input->labelText();
            start = input->textValue();
            input->setTextValue(QStringLiteral("11"));
            input->accept();
        });
        QCOMPARE(GetText(QStringLiteral("Rozšířený filtr"), QStringLiteral("Aktuální pole: Číslo účtu"),
                         QStringLiteral("444")),
                 std::optional<QString>(QStringLiteral("11")));
        QVERIFY(ok.happened());
        QCOMPARE(caption, QStringLiteral("Rozšířený filtr"));
        QCOMPARE(label, QStringLiteral("Aktuální pole: Číslo účtu"));
        QCOMPARE(start, QStringLiteral("444"));
        ModalAction empty([](QWidget* w) {
            qobject_cast<QInputDialog*>(w)->setTextValue(QString());
            qobject_cast<QDialog*>(w)->accept();
        });
        QCOMPARE(GetText(QStringLiteral("Filtr"), QStringLiteral("Pole"), QStringLiteral("x")),
                 std::optional<QString>(QString()));
        QVERIFY(empty.happened());
        ModalAction cancel([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
        QCOMPARE(GetText(QStringLiteral("Filtr"), QStringLiteral("Pole"), QStringLiteral("x")), std::nullopt);
        QVERIFY(cancel.happened());
    }

    void withFullStop_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letter") << "Soubor nelze zapsat"
                                << "Soubor nelze zapsat.";
        QTest::newRow("Czech letter") << "Chybné datum ř"
                                      << "Chybné datum ř.";
        QTest::newRow("digit") << "Chyba 5"
                               << "Chyba 5.";
        QTest::newRow("slash sorts after") << "Unable to write to /tmp/"
                                           << "Unable to write to /tmp/.";
        QTest::newRow("question mark sorts after") << "Co?"
                                                   << "Co?.";
        QTest::newRow("full stop") << "Hotovo."
                                   << "Hotovo.";
        QTest::newRow("exclamation") << "Pozor!"
                                     << "Pozor!";
        QTest::newRow("comma") << "a,"
                               << "a,";
        QTest::newRow("hyphen") << "a -"
                                << "a -";
        QTest::newRow("bracket") << "(x)"
                                 << "(x)";
        QTest::newRow("trailing blank") << "text "
                                        << "text ";
        QTest::newRow("empty") << ""
                               << "";
    }
    void withFullStop() {
        QFETCH(QString, message);
        QFETCH(QString, expected);
        QCOMPARE(WithFullStop(message), expected);
    }

    void runCommandShowsErrorAndGoesOn() {
        QWidget window;
        QAction failing(QStringLiteral("Selže"), &window);
        QAction working(QStringLiteral("Projde"), &window);
        struct Receiver : QObject {
            int runs = 0;
            void fail() { throw VelorinError(QStringLiteral("Soubor „2022001.ppu“ nelze zapsat")); }
            void work() { ++runs; }
        } receiver;
        ConnectCommand(&failing, &receiver, &Receiver::fail);
        ConnectCommand(&working, &receiver, &Receiver::work);
        window.show();

        failing.trigger(); // must not unwind into the caller
        working.trigger();
        QCOMPARE(receiver.runs, 1);
        QVERIFY(window.isVisible());

        RunCommand([] { throw std::runtime_error("disk full"); });
        RunCommand([] { throw 42; });
        const QList<DialogHook::Record> r = DialogHook::Records();
        QCOMPARE(r.size(), 3);
        for (const auto& rec : r) {
            QCOMPARE(rec.kind, QStringLiteral("error"));
            QCOMPARE(rec.caption, QStringLiteral("Velorin"));
        }
        QCOMPARE(r[0].text, QStringLiteral("Soubor „2022001.ppu“ nelze zapsat."));
        QCOMPARE(r[1].text, QStringLiteral("disk full."));
        QVERIFY(!r[2].text.isEmpty());
    }

    // Any signal, with or without arguments, to a member or a callable: a throw ends in the error box.
    void connectCommandCatchesThrowingHandlers() {
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("Uložit"), &window);
        auto* year = new QSpinBox(&window);
        year->setRange(2000, 2100);
        auto* field = new QLineEdit(&window);
        struct Receiver : QObject {
            QList<int> years;
            QStringList texts;
            void save() { throw VelorinError(QStringLiteral("Soubor „2022001.abo“ nelze zapsat")); }
            void yearChanged(int value) {
                years << value;
                if (value == 2023)
                    throw std::runtime_error("rok mimo rozsah");
            }
            void textChanged(const QString& text) {
                texts << text;
                throw 42;
            }
        } receiver;
        int plainRuns = 0;
        ConnectCommand(button, &QPushButton::clicked, &receiver, &Receiver::save);
        ConnectCommand(year, &QSpinBox::valueChanged, &receiver, &Receiver::yearChanged);
        ConnectCommand(field, &QLineEdit::textChanged, &receiver, &Receiver::textChanged);
        // A callable that takes none of the signal's arguments.
        ConnectCommand(year, &QSpinBox::valueChanged, &receiver, [&plainRuns] {
            ++plainRuns;
            throw std::logic_error("bez argumentů");
        });
        window.show();

        QTest::mouseClick(button, Qt::LeftButton); // must not unwind into the caller
        year->setValue(2022);
        year->setValue(2023);
        field->setText(QStringLiteral("Nájem"));
        QCOMPARE(receiver.years, (QList<int>{2022, 2023}));
        QCOMPARE(receiver.texts, QStringList{"Nájem"});
        QCOMPARE(plainRuns, 2);
        QVERIFY(window.isVisible());
        QStringList errors;
        for (const DialogHook::Record& rec : DialogHook::Records()) {
            QCOMPARE(rec.kind, QStringLiteral("error"));
            errors << rec.text;
        }
        QCOMPARE(errors.size(), 5);
        QCOMPARE(errors[0], QStringLiteral("Soubor „2022001.abo“ nelze zapsat."));
        QVERIFY(errors.contains(QStringLiteral("rok mimo rozsah.")));
        QCOMPARE(errors.count(QStringLiteral("bez argumentů.")), 2);

        // Like connect: a receiver that is gone is not called.
        DialogHook::ClearRecords();
        {
            Receiver gone;
            ConnectCommand(button, &QPushButton::clicked, &gone, &Receiver::save);
        }
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(DialogHook::Records().size(), 1);
    }

    // The real boxes, answered by keyboard: No is the default, Czech captions, icons.
    void questionBoxDefaultsToNo() {
        const SeamGuard realDialogs = DialogHook::Deactivate();
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString caption, yes, no;
        ModalAction act([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            icon = box->icon();
            caption = box->windowTitle();
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            Screenshot(*box, QStringLiteral("question.png"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(QuestionBox(QString(), QStringLiteral("Smazat?"), QuestionKind::Warning), Answer::No);
        QVERIFY(act.happened());
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(caption, QStringLiteral("Velorin"));
        QCOMPARE(yes, QStringLiteral("&Ano"));
        QCOMPARE(no, QStringLiteral("&Ne"));
    }

    void errorBoxLooks() {
        const SeamGuard realDialogs = DialogHook::Deactivate();
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString caption, text;
        ModalAction act([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            icon = box->icon();
            caption = box->windowTitle();
            text = box->text();
            Screenshot(*box, QStringLiteral("error.png"));
            box->accept();
        });
        ErrorBox(QStringLiteral("Unable to write to <cesta>"));
        QVERIFY(act.happened());
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(caption, QStringLiteral("Velorin"));
        QCOMPARE(text, QStringLiteral("Unable to write to <cesta>."));
    }

    // A narrow box leaves the window manager no room for its caption beside the title-bar buttons.
    void smallBoxesShowTheirCaption() {
        const SeamGuard realDialogs = DialogHook::Deactivate();
        const std::vector<std::function<void()>> boxes{
            [] { PlainMessage(QStringLiteral("Zadejte výraz...")); },
            [] { InfoBox(QStringLiteral("Hotovo.")); },
            [] { ErrorBox(QStringLiteral("Chyba")); },
            [] { QuestionBox(QString(), QStringLiteral("Ano?"), QuestionKind::Question); },
        };
        for (const auto& show : boxes) {
            int width = 0;
            ModalAction act([&](QWidget* w) {
                width = w->width();
                if (width < 250)
                    Screenshot(*w, QStringLiteral("narrow-box.png"));
                QTest::keyClick(w, Qt::Key_Escape);
            });
            show();
            QVERIFY(act.happened());
            QVERIFY2(width >= 250, qPrintable(QString::number(width)));
        }
    }

    // Qt's file list takes sizes and dates from the system's locale, not the program's.
    void saveDialogListsInCzech() {
        const SeamGuard realDialogs = DialogHook::Deactivate();
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("2026001.abo")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(265, 'x'));
        file.close();
        const QDateTime modified = QFileInfo(file).lastModified();
        QString size, date;
        ModalAction act([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QVERIFY(view);
            QModelIndex row;
            QTRY_VERIFY([&] {
                QAbstractItemModel* model = view->model();
                for (int r = 0; r < model->rowCount(view->rootIndex()); ++r) {
                    const QModelIndex name = model->index(r, 0, view->rootIndex());
                    if (name.data().toString() == QLatin1String("2026001.abo"))
                        row = name;
                }
                return row.isValid() && !row.siblingAtColumn(1).data().toString().isEmpty();
            }());
            size = row.siblingAtColumn(1).data().toString();
            date = row.siblingAtColumn(3).data().toString();
            dialog->reject();
        });
        QCOMPARE(GetSaveFileName(QStringLiteral("Uložit"), dir.filePath(QStringLiteral("nove.abo")),
                                 QStringLiteral("Příkaz k úhradě (*.abo)"), QStringLiteral("abo")),
                 QString());
        QVERIFY(act.happened());
        const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
        QCOMPARE(size, czech.formattedDataSize(265));
        QCOMPARE(date, czech.toString(modified, QLocale::ShortFormat));
    }

    void aboutBoxGeometry() {
        AboutBox box(QStringLiteral("1.4"), QStringLiteral("2022-01-07"));
        QCOMPARE(box.windowTitle(), QStringLiteral("O programu Velorin"));
        QCOMPARE(box.size(), QSize(520, 205));
        QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));
        const QStringList captions{"La_VerzeProgramu", "La_AutorProgramu", "La_HotLine", "La_Copyright",
                                   "La_DomovskaStranka"};
        const QStringList values{"La_CisloVerze", "La_Autor", "La_Telefon", "La_CopyrightText", "La_URL"};
        for (int i = 0; i < 5; ++i) {
            auto* c = box.findChild<QLabel*>(captions[i]);
            auto* v = box.findChild<QLabel*>(values[i]);
            QVERIFY2(c && v, qPrintable(captions[i]));
            QCOMPARE(c->pos(), QPoint(80, 16 + 24 * i));
            QCOMPARE(v->pos(), QPoint(216, 16 + 24 * i));
            QVERIFY(c->font().bold());
            QCOMPARE(c->palette().color(QPalette::WindowText), QColor(3, 63, 113));
            QVERIFY(c->x() + c->width() <= v->x());
            QVERIFY(!v->text().isEmpty());
        }
        QCOMPARE(box.findChild<QLabel*>("La_CisloVerze")->text(), QStringLiteral("1.4     2022-01-07"));
        auto* ok = box.findChild<QPushButton*>("Tl_Ok");
        QVERIFY(ok);
        QCOMPARE(ok->pos(), QPoint(376, 140));
        QVERIFY(ok->isDefault());
        QVERIFY(ok->geometry().bottom() < box.height());
        Screenshot(box, QStringLiteral("about.png"));
    }

    void aboutBoxSpeaksCzech() {
        const SeamGuard today = Clock::SetToday(QDate(2026, 12, 9));
        AboutBox box(QStringLiteral("1.4"), QStringLiteral("2026-12-09"));
        QStringList captions;
        for (const char* name :
             {"La_VerzeProgramu", "La_AutorProgramu", "La_HotLine", "La_Copyright", "La_DomovskaStranka"})
            captions << box.findChild<QLabel*>(QLatin1String(name))->text();
        QCOMPARE(
            captions,
            QStringList({"Verze programu:", "Autor programu:", "HotLine:", "Autorská práva:", "Domovská stránka:"}));
        QCOMPARE(box.findChild<QLabel*>("La_CopyrightText")->text(), QStringLiteral("© 2021–2026 Velorin"));
        QCOMPARE(box.findChild<QPushButton*>("Tl_Ok")->text(), QStringLiteral("Ok"));
    }

    void aboutBoxClosesWithOkAndEsc() {
        AboutBox box(QStringLiteral("1.4"), QStringLiteral("2022-01-07"));
        box.show();
        QTest::keyClick(&box, Qt::Key_Escape);
        QVERIFY(!box.isVisible());
        box.show();
        QTest::mouseClick(box.findChild<QPushButton*>("Tl_Ok"), Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    // The folder in use stands below the rows, left of the button, whole or shortened in the middle.
    void aboutBoxShowsTheDataFolder() {
        QVERIFY(!AboutBox(QStringLiteral("1.4"), QString()).findChild<QLabel*>("La_Slozka"));
        const QString shortFolder = QStringLiteral("/home/jana/.local/share/Velorin/");
        const QString longFolder =
            QStringLiteral("/home/") + QString(120, QLatin1Char('x')) + QStringLiteral("/Velorin/");
        for (const QString& folder : {shortFolder, longFolder}) {
            AboutBox box(QStringLiteral("1.4"), QString(), folder);
            auto* label = box.findChild<QLabel*>("La_Slozka");
            QVERIFY(label);
            QCOMPARE(ShownText(label->toolTip()), folder);
            const QRect ok = box.findChild<QPushButton*>("Tl_Ok")->geometry();
            const QRect lastRow = box.findChild<QLabel*>("La_URL")->geometry();
            QVERIFY(label->geometry().right() < ok.left());
            QVERIFY(label->geometry().top() > lastRow.bottom());
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
            if (folder == shortFolder) {
                QCOMPARE(label->text(), QStringLiteral("Složka s daty: ") + folder);
                Screenshot(box, QStringLiteral("about-folder.png"));
            } else {
                QVERIFY(label->text().startsWith(QStringLiteral("Složka s daty: /home/")));
                QVERIFY(label->text().endsWith(QStringLiteral("/Velorin/")));
            }
        }
    }

    // We have no web site: the home-page row says so as plain text, fits its row, and opens nothing.
    void homePageRowSaysThereIsNone() {
        AboutBox box(QStringLiteral("1.4"), QStringLiteral("2022-01-07"),
                     QStringLiteral("/home/jana/.local/share/Velorin/"));
        auto* row = box.findChild<QLabel*>("La_URL");
        QVERIFY(row);
        QCOMPARE(row->text(), QStringLiteral("není; příručka je součástí programu (F1)"));
        QCOMPARE(row->textFormat(), Qt::PlainText);
        QVERIFY(!row->font().underline());
        QCOMPARE(row->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(row->fontMetrics().horizontalAdvance(row->text()) <= row->width());
        QVERIFY(row->geometry().right() < box.width());
        QVERIFY(row->geometry().bottom() < box.findChild<QLabel*>("La_Slozka")->geometry().top());
        box.show();
        QTest::mouseClick(row, Qt::LeftButton);
        QCOMPARE(DialogHook::Records().size(), 0);
        Screenshot(box, QStringLiteral("about-home-page.png"));
    }

    // A folder "http:" in the working folder does not turn an address into a path, and an address
    // that is no valid one stays an address; a path without scheme is a local file.
    void shellOpensAddressesAsWritten() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("http:/www.velorin.example")));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QUrl home = ShellUrl(QStringLiteral("http://www.velorin.example/"));
        const QUrl broken = ShellUrl(QStringLiteral("http://www.velorin.example/a b"));
        const QUrl document = ShellUrl(QStringLiteral("navod.pdf"));
        // The manual's index under a home folder with blanks and Czech letters in its name.
        const QString manual = QStringLiteral("/home/jana/Moje programy/Účty/napoveda/index.html");
        const QUrl manualUrl = ShellUrl(manual);
        ShellOpen(QStringLiteral("http://www.velorin.example/"));
        QVERIFY(QDir::setCurrent(before));

        QCOMPARE(home, QUrl(QStringLiteral("http://www.velorin.example/")));
        QVERIFY(!home.isLocalFile());
        QVERIFY(!broken.isLocalFile());
        QVERIFY(!broken.isValid());
        QVERIFY(document.isLocalFile());
        QVERIFY(QFileInfo(document.toLocalFile()).isAbsolute());
        QVERIFY(document.toLocalFile().endsWith(QStringLiteral("/navod.pdf")));
        QVERIFY(manualUrl.isValid() && manualUrl.isLocalFile());
        QCOMPARE(manualUrl.toLocalFile(), manual);
        QCOMPARE(ShellUrl(manualUrl.toString(QUrl::FullyEncoded)), manualUrl);
        QCOMPARE(DialogHook::Records().size(), 1);
        QCOMPARE(DialogHook::Records()[0].kind, QStringLiteral("shell"));
        QCOMPARE(DialogHook::Records()[0].text, QStringLiteral("http://www.velorin.example/"));
    }

    // Qt shows a tooltip literally only as escaped rich text; nothing of the text may be lost.
    void plainToolTipShowsTheCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("picture") << "<img src=\"/dev/zero\">";
        QTest::newRow("font") << "<font size=6 color=red>ZAPLACENO</font>";
        QTest::newRow("entity") << "&lt;b&gt; &amp; &nbsp;";
        QTest::newRow("blanks") << "  a   b  ";
        QTest::newRow("lines") << "Číslo účtu nemá platný kontrolní součet\nNeznámý kód banky\n\n<b>x</b>";
        QTest::newRow("plain") << "Česká spořitelna, a.s.";
    }
    void plainToolTipShowsTheCharacters() {
        QFETCH(QString, text);
        const QString tip = PlainToolTip(text);
        QVERIFY(Qt::mightBeRichText(tip));
        QCOMPARE(ShownText(tip), text);
        QCOMPARE(PlainToolTip(QString()), QString()); // no tooltip at all
    }

    // The data folder is a path of the user's: its line and tooltip show it as written.
    void aboutBoxShowsTheFolderAsText() {
        QTemporaryDir dir;
        FifoTrap trap(dir.path());
        QVERIFY(trap.made());
        const QString folder = trap.picture() + QStringLiteral("/");
        AboutBox box(QStringLiteral("1.4"), QString(), folder);
        box.show();
        (void)box.grab();
        auto* label = box.findChild<QLabel*>("La_Slozka");
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label, &help);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(ShownText(QToolTip::text()), folder);
        QToolTip::hideText();
        QCOMPARE(trap.opens(), 0);
        QVERIFY(ShownText(label->text(), label->textFormat()).startsWith(QStringLiteral("Složka s daty: <img")));
    }

    void rightsNoticeYears_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("expected");
        QTest::newRow("clock before the first year") << QDate(2019, 6, 30) << "© 2021–2021 Velorin";
        QTest::newRow("first year") << QDate(2021, 1, 1) << "© 2021–2021 Velorin";
        QTest::newRow("later") << QDate(2030, 12, 31) << "© 2021–2030 Velorin";
    }
    void rightsNoticeYears() {
        QFETCH(QDate, today);
        QFETCH(QString, expected);
        const SeamGuard fixedDay = Clock::SetToday(today);
        QCOMPARE(CurrentYear(), today.year());
        AboutBox box(QStringLiteral("1.4"), QString());
        QCOMPARE(box.findChild<QLabel*>("La_CopyrightText")->text(), expected);
    }

    void pickDateNeedsAClick() {
        const QDate given(2022, 1, 7);
        DatePickerDialog dialog(given);
        QCOMPARE(dialog.size(), QSize(210, 241));
        // An empty title would make Qt put the program's name in the title bar.
        QVERIFY(!dialog.windowTitle().isEmpty());
        QCOMPARE(dialog.windowTitle().trimmed(), QString());
        QCOMPARE(dialog.calendar()->objectName(), QStringLiteral("MonthCalendar1"));
        QCOMPARE(dialog.calendar()->pos(), QPoint(8, 8));
        QCOMPARE(dialog.calendar()->selectedDate(), given);
        auto* storno = dialog.findChild<QPushButton*>("Tl_Storno");
        QVERIFY(storno);
        QCOMPARE(dialog.okButton()->x(), 16);
        QCOMPARE(storno->x(), 112);
        QCOMPARE(dialog.okButton()->geometry().bottom() + 1, 241 - 7);
        QVERIFY(!dialog.okButton()->isEnabled());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Screenshot(dialog, QStringLiteral("datepicker.png"));
        // Keyboard moves alone do not enable Ok, and Enter does not confirm.
        auto* view = dialog.calendar()->findChild<QTableView*>();
        QVERIFY(view);
        QTest::keyClick(view, Qt::Key_Right);
        QVERIFY(!dialog.okButton()->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.changed());
    }

    void pickDateClickAndConfirm_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("changed");
        QTest::newRow("another day") << 1 << true;
        QTest::newRow("the same day") << 0 << false;
    }
    void pickDateClickAndConfirm() {
        QFETCH(int, offset);
        QFETCH(bool, changed);
        const QDate given(2022, 1, 12); // a Wednesday: its neighbours are in the same row
        DatePickerDialog dialog(given);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* view = dialog.calendar()->findChild<QTableView*>();
        QVERIFY(view);
        const QModelIndex cell = CellOf(view, offset);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
        QVERIFY(dialog.okButton()->isEnabled());
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.changed(), changed);
        QCOMPARE(dialog.selectedDate(), given.addDays(offset));
    }

    void pickDateByKeyboard() {
        const QDate given(2022, 1, 12);
        DatePickerDialog dialog(given);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* view = dialog.calendar()->findChild<QTableView*>();
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.changed());
        QCOMPARE(dialog.selectedDate(), given.addDays(1));
    }

    void textWindow() {
        const QString text = QString(300, QLatin1Char('x')) + QStringLiteral("\r\nřádek 2");
        TextWindow window(QStringLiteral("Výpis příkazu"), text);
        QCOMPARE(window.windowTitle(), QStringLiteral("Výpis příkazu"));
        QCOMPARE(window.size(), QSize(800, 450));
        QPlainTextEdit* edit = window.editor();
        QCOMPARE(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(edit->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(edit->font().pointSize(), 10);
        QVERIFY(!edit->isReadOnly());
        QCOMPARE(edit->document()->blockCount(), 2);
        window.show();
        QCOMPARE(edit->geometry(), window.rect());
    }

    // The About box and the text viewer stand in the middle of the screen, wherever the main
    // window is; the date picker keeps to the main window.
    void centredOnTheScreen() {
        const SeamGuard realDialogs = DialogHook::Deactivate();
        QWidget main;
        main.setGeometry(0, 0, 300, 200);
        main.show();
        SetDialogParent(&main);
        auto shownAt = [](const std::function<void()>& show) {
            QRect where;
            ModalAction act([&where](QWidget* w) {
                where = w->geometry();
                static_cast<QDialog*>(w)->reject();
            });
            show();
            return act.happened() ? where : QRect();
        };
        const QPoint centre = main.screen()->availableGeometry().center();
        const QRect about = shownAt([] { ShowAboutBox(QStringLiteral("1.4"), QStringLiteral("2022-01-07")); });
        const QRect text = shownAt([] { ShowTextWindow(QStringLiteral("Výpis"), QStringLiteral("text")); });
        SetDialogParent(nullptr);
        // The window frame, unknown before showing, may shift the client area by its width.
        QVERIFY2((about.center() - centre).manhattanLength() <= 8, qPrintable(QString::number(about.x())));
        QVERIFY2((text.center() - centre).manhattanLength() <= 8, qPrintable(QString::number(text.y())));
    }

    void versionText() {
        QCOMPARE(ProgramVersionText(), QStringLiteral("%1.%2").arg(VELORIN_VERSION_MAJOR).arg(VELORIN_VERSION_MINOR));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+$")).match(ProgramVersionText()).hasMatch());
    }

    void dialogParent() {
        QWidget main;
        SetDialogParent(&main);
        QCOMPARE(DialogParent(), &main);
        SetDialogParent(nullptr);
        QCOMPARE(DialogParent(), nullptr);
        {
            QWidget gone;
            SetDialogParent(&gone);
        }
        QCOMPARE(DialogParent(), nullptr); // a destroyed window is never handed out
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"

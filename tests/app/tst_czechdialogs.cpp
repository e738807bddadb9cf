#include "app/AppInit.h"
#include "common/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Qt's own dialogs as the user meets them: in Czech, with captions that fit.
class TestCzechDialogs : public QObject {
    Q_OBJECT

    static QStringList shownTexts(QWidget* root) {
        QStringList texts;
        for (QWidget* w : root->findChildren<QWidget*>()) {
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                texts << b->text().remove(QLatin1Char('&'));
            else if (auto* l = qobject_cast<QLabel*>(w))
                texts << l->text().remove(QLatin1Char('&'));
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                texts << g->title();
            else if (auto* t = qobject_cast<QTabWidget*>(w))
                for (int i = 0; i < t->count(); ++i)
                    texts << t->tabText(i).remove(QLatin1Char('&'));
        }
        return texts;
    }

private slots:
    void initTestCase() { InitApplication(); }

    void printDialogSpeaksCzech() {
        for (const char* context : {"QPrintSettingsOutput", "QPrintPropertiesDialog", "QPrintDialog"}) {
            QCOMPARE(QCoreApplication::translate(context, "Double Sided Printing"), QStringLiteral("Oboustranný tisk"));
            QCOMPARE(QCoreApplication::translate(context, "Advanced"), QStringLiteral("Pokročilé"));
        }
        // Not a word of other windows: "Off" is the print dialog's alone.
        QCOMPARE(QCoreApplication::translate("QShortcut", "Off"), QStringLiteral("Off"));
        QCOMPARE(QCoreApplication::translate("QShortcut", "Ins"), QStringLiteral("Ins"));

        QPrinter printer;
        QPrintDialog dialog(&printer);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QStringList texts = shownTexts(&dialog);
        QVERIFY(texts.contains(QStringLiteral("Strany")));
        for (const char* english :
             {"Pages", "Double Sided Printing", "Off", "Long side binding", "Short side binding", "Advanced"})
            QVERIFY2(!texts.contains(QLatin1String(english)), english);
    }

    // Saving over a file asks with the save dialog's caption in full, in a box wide enough for it.
    void replaceQuestionShowsTheWholeCaption() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2026001.abo"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString caption = QStringLiteral("Uložit ABO do souboru");
        QString boxCaption, boxText;
        int boxWidth = 0;
        QTimer::singleShot(0, [&] {
            auto* fileDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(fileDialog);
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                QVERIFY(QTest::qWaitForWindowExposed(box));
                boxCaption = box->windowTitle();
                boxText = box->text();
                boxWidth = box->width();
                box->button(QMessageBox::Yes)->click();
            });
            QMetaObject::invokeMethod(fileDialog, "accept", Qt::DirectConnection);
        });
        FileDialogRequest request;
        request.mode = FileDialogRequest::Mode::Save;
        request.caption = caption;
        request.start = path;
        request.defaultSuffix = QStringLiteral("abo");
        QCOMPARE(GetFileName(request), path);
        QCOMPARE(boxCaption, caption);
        QCOMPARE(boxText, QStringLiteral("Soubor 2026001.abo již existuje.\nChcete jej nahradit?"));
        // Where the caller asks for no question, none comes.
        QTimer::singleShot(0, [] {
            if (auto* fileDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
                QMetaObject::invokeMethod(fileDialog, "accept", Qt::DirectConnection);
        });
        request.askBeforeReplacing = false;
        QCOMPARE(GetFileName(request), path);
        QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
        titleFont.setBold(true);
        QVERIFY2(boxWidth >= QFontMetrics(titleFont).horizontalAdvance(caption) + 160,
                 qPrintable(QString::number(boxWidth)));
    }
};

QTEST_MAIN(TestCzechDialogs)
#include "tst_czechdialogs.moc"

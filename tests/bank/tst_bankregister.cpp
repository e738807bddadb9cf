#include "bank/BankRegister.h"
#include "bank/PaymentChecks.h"
#include "common/Cp1250.h"
#include "common/Error.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A list as the bank publishes it, with a blank line, a line that is no bank and CR LF ends.
QString SampleList() {
    return QStringLiteral("Kód platebního styku;Název;SWIFT;CERTIS\r\n"
                          "0100;Komerční banka, a.s.;KOMBCZPP;A\r\n"
                          "\r\n"
                          "0800;Česká spořitelna, a.s.;GIBACZPX;A\r\n"
                          "08x0;Poškozený řádek;;\r\n"
                          "2010;\"Fio banka, a.s.\";FIOBCZPP;\r\n"
                          "\r\n");
}

} // namespace

class TestBankRegister : public QObject {
    Q_OBJECT
private slots:
    void loader_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<int>("banks");
        QTest::addColumn<QList<int>>("badLines");
        QTest::addColumn<QString>("name0800");

        const QString czech = QStringLiteral("Česká spořitelna, a.s.");
        QTest::newRow("UTF-8 with header, blank lines and a bad line")
            << SampleList().toUtf8() << true << 3 << QList<int>{5} << czech;
        QTest::newRow("UTF-8 with byte order mark")
            << (QByteArray("\xEF\xBB\xBF") + SampleList().toUtf8()) << true << 3 << QList<int>{5} << czech;
        QTest::newRow("Windows-1250 with header, blank lines and a bad line")
            << Cp1250::Encode(SampleList()) << false << 3 << QList<int>{5} << czech;
        QTest::newRow("LF only, no header") << QByteArray("0800;Ceska sporitelna;GIBACZPX;A\n0100;KB;KOMBCZPP;A\n")
                                            << true << 2 << QList<int>{} << QStringLiteral("Ceska sporitelna");
        QTest::newRow("repeated code is a bad line") << QByteArray("code;name\n0800;First\n0800;Second\n") << true << 1
                                                     << QList<int>{3} << QStringLiteral("First");
        QTest::newRow("no bank at all") << QByteArray("UHL1070122VELORIN\r\n1 0100 123 456\r\n") << true << 0
                                        << QList<int>{2} << QString();
        QTest::newRow("empty file") << QByteArray() << true << 0 << QList<int>{} << QString();
    }
    void loader() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QFETCH(int, banks);
        QFETCH(QList<int>, badLines);
        QFETCH(QString, name0800);
        const BankList list = ParseBankList(bytes);
        QCOMPARE(list.Utf8, utf8);
        QCOMPARE(int(list.Banks.size()), banks);
        QCOMPARE(list.BadLines, badLines);
        const BankRegister reg(list.Banks);
        const BankInfo* bank = reg.Find(QStringLiteral("0800"));
        QCOMPARE(bank ? bank->Name : QString(), name0800);
    }

    void fieldsAndBuiltInList() {
        const BankRegister reg(ParseBankList(Cp1250::Encode(SampleList())).Banks);
        const BankInfo* fio = reg.Find(QStringLiteral("2010"));
        QVERIFY(fio && !fio->Clearing && reg.Find(QStringLiteral("0100"))->Clearing);
        QCOMPARE(fio->Name, QStringLiteral("Fio banka, a.s.")); // quotes dropped
        QCOMPARE(fio->Bic, QStringLiteral("FIOBCZPP"));
        const BankRegister& builtIn = BankRegister::BuiltIn();
        QCOMPARE(builtIn.size(), 47);
        QCOMPARE(builtIn.Find(QStringLiteral("0710"))->Name, QStringLiteral("ČESKÁ NÁRODNÍ BANKA"));
    }

    void userListPreferredAndInstalled() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        // A spoilt list beside the program leaves the built-in one.
        WriteRaw(UserBankListPath(folder), "nothing here\r\n");
        QCOMPARE(BanksFor(folder).size(), 47);

        const QByteArray good = Cp1250::Encode(SampleList());
        const BankList list = InstallBankList(folder, QStringLiteral("/tmp/kody_bank_CR.csv"), good);
        QCOMPARE(int(list.Banks.size()), 3);
        QCOMPARE(ReadAll(UserBankListPath(folder)), good); // kept byte for byte
        QCOMPARE(BanksFor(folder).size(), 3);
        QVERIFY(!BanksFor(folder).Find(QStringLiteral("0710")));

        // A file with no bank or far too large is refused, and the list kept before stays.
        QVERIFY_THROWS_EXCEPTION(VelorinError, InstallBankList(folder, QStringLiteral("platby.abo"), "UHL1\r\n"));
        QCOMPARE(ReadAll(UserBankListPath(folder)), good);
        QCOMPARE(BanksFor(folder).size(), 3);
        QVERIFY_THROWS_EXCEPTION(
            VelorinError, InstallBankList(folder, QStringLiteral("big.csv"), QByteArray(kMaxBankListBytes + 1, ';')));
    }

    void symbols_data() {
        QTest::addColumn<QStringList>("symbols"); // variable, constant, specific
        QTest::addColumn<QStringList>("warnings");
        const auto row = [](const char* name, QStringList symbols, QStringList warnings) {
            QTest::newRow(name) << symbols << warnings;
        };
        row("all empty", {"", "", ""}, {});
        row("full lengths", {"1234567890", "0308", "9999999999"}, {});
        row("dash and dot pass the key filter", {"12-34", "03.8", "1.2"},
            {"Variabilní symbol smí mít nejvýše 10 číslic a nic jiného",
             "Konstantní symbol smí mít nejvýše 4 číslice a nic jiného",
             "Specifický symbol smí mít nejvýše 10 číslic a nic jiného"});
        row("constant symbol too long", {"", "03081", ""},
            {"Konstantní symbol smí mít nejvýše 4 číslice a nic jiného"});
        row("constant symbol 4178 is free", {"", "4178", ""}, {});
        for (const char* ks : {"5", "6", "0006", "51", "498", "598", "898", "1178", "2178", "3178"})
            QTest::addRow("reserved constant symbol %s", ks)
                << QStringList{"", ks, ""}
                << QStringList{QStringLiteral("Konstantní symbol %1 si banky vyhrazují pro vlastní platby").arg(ks)};
    }
    void symbols() {
        QFETCH(QStringList, symbols);
        QFETCH(QStringList, warnings);
        OrderItem item{"19-2000145399", "0800", "", symbols[0], symbols[1], symbols[2], ""};
        QCOMPARE(ItemWarnings(item, BankRegister::BuiltIn()), warnings);
    }

    void orderWarnings() {
        PaymentOrder order;
        order.OrderDate = QStringLiteral("6.1.2022");
        ReadRowText(QStringLiteral("19-2000145399|0800|100,00||||"), order.Items[0]);
        ReadRowText(QStringLiteral("19-2000145398|0800|100,00||6||"), order.Items[2]);
        const BankRegister& banks = BankRegister::BuiltIn();
        QCOMPARE(OrderWarnings(order, banks, QDate(2022, 1, 7)),
                 (QStringList{"Řádek 3: Číslo účtu nemá platný kontrolní součet",
                              "Řádek 3: Konstantní symbol 6 si banky vyhrazují pro vlastní platby",
                              "Datum splatnosti je v minulosti"}));
        order.Items[2].clear();
        QVERIFY(OrderWarnings(order, banks, QDate(2022, 1, 6)).isEmpty()); // today is no past date
        order.Bank.CisloUctu = QStringLiteral("19-2000145398");
        QCOMPARE(OrderWarnings(order, banks, QDate(2022, 1, 6)),
                 (QStringList{"Účet plátce: Číslo účtu nemá platný kontrolní součet",
                              "Účet plátce: Směrový kód není vyplněn"}));
        order.Bank.CisloUctu.clear();
        QVERIFY(OrderWarningLine(order, banks, QDate(2022, 1, 6)).isEmpty());
        QVERIFY(OrderWarningLine(order, banks, QDate(2022, 1, 7)).contains(QStringLiteral("Datum splatnosti")));
    }
};

QTEST_GUILESS_MAIN(TestBankRegister)
#include "tst_bankregister.moc"

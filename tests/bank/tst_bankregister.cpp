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

    void loaderFields() {
        const BankRegister reg(ParseBankList(Cp1250::Encode(SampleList())).Banks);
        const BankInfo* fio = reg.Find(QStringLiteral("2010"));
        QVERIFY(fio);
        QCOMPARE(fio->Name, QStringLiteral("Fio banka, a.s.")); // quotes dropped
        QCOMPARE(fio->Bic, QStringLiteral("FIOBCZPP"));
        QVERIFY(!fio->Clearing);
        QVERIFY(reg.Find(QStringLiteral("0100"))->Clearing);
        QVERIFY(!reg.Find(QStringLiteral("9999")));
    }

    void builtInList() {
        const BankRegister& reg = BankRegister::BuiltIn();
        QCOMPARE(reg.size(), 47);
        const BankInfo* cnb = reg.Find(QStringLiteral("0710"));
        QVERIFY(cnb);
        QCOMPARE(cnb->Name, QStringLiteral("ČESKÁ NÁRODNÍ BANKA"));
        QCOMPARE(cnb->Bic, QStringLiteral("CNBACZPP"));
        QVERIFY(cnb->Clearing);
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

        // A file with no bank is refused with a Czech message, and the list kept before stays.
        try {
            InstallBankList(folder, QStringLiteral("/tmp/platby.abo"), "UHL1\r\n");
            QFAIL("no error");
        } catch (const VelorinError& e) {
            QVERIFY(e.message().contains(QStringLiteral("„platby.abo“ není číselník bank")));
            QVERIFY(e.message().contains(QStringLiteral("Dosavadní číselník")));
        }
        QCOMPARE(ReadAll(UserBankListPath(folder)), good);
        QCOMPARE(BanksFor(folder).size(), 3);
        QVERIFY_THROWS_EXCEPTION(
            VelorinError, InstallBankList(folder, QStringLiteral("big.csv"), QByteArray(kMaxBankListBytes + 1, ';')));
    }

    void symbols_data() {
        QTest::addColumn<QString>("vs");
        QTest::addColumn<QString>("ks");
        QTest::addColumn<QString>("ss");
        QTest::addColumn<QStringList>("warnings");
        const QString vsBad = QStringLiteral("Variabilní symbol smí mít nejvýše 10 číslic a nic jiného");
        const QString ksBad = QStringLiteral("Konstantní symbol smí mít nejvýše 4 číslic a nic jiného");
        const QString ssBad = QStringLiteral("Specifický symbol smí mít nejvýše 10 číslic a nic jiného");
        QTest::newRow("all empty") << ""
                                   << ""
                                   << "" << QStringList{};
        QTest::newRow("full lengths") << "1234567890"
                                      << "0308"
                                      << "9999999999" << QStringList{};
        QTest::newRow("dash and dot pass the key filter") << "12-34"
                                                          << "03.8"
                                                          << "1.2" << QStringList{vsBad, ksBad, ssBad};
        QTest::newRow("constant symbol too long") << ""
                                                  << "03081"
                                                  << "" << QStringList{ksBad};
        for (const char* ks : {"5", "6", "0006", "51", "498", "598", "898", "1178", "2178", "3178"})
            QTest::addRow("reserved constant symbol %s", ks)
                << "" << ks << ""
                << QStringList{QStringLiteral("Konstantní symbol %1 si banky vyhrazují pro vlastní platby")
                                   .arg(QLatin1String(ks))};
        QTest::newRow("ordinary constant symbols") << ""
                                                   << "0558"
                                                   << "" << QStringList{};
        QTest::newRow("constant symbol 4178 is free") << ""
                                                      << "4178"
                                                      << "" << QStringList{};
    }
    void symbols() {
        QFETCH(QString, vs);
        QFETCH(QString, ks);
        QFETCH(QString, ss);
        QFETCH(QStringList, warnings);
        OrderItem item;
        item.Account = QStringLiteral("19-2000145399");
        item.BankCode = QStringLiteral("0800");
        item.VariableSymbol = vs;
        item.ConstantSymbol = ks;
        item.SpecificSymbol = ss;
        QCOMPARE(ItemWarnings(item, BankRegister::BuiltIn()), warnings);
    }

    void itemWarnings_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("good") << "19-2000145399|0800|100,00||||" << QStringList{};
        QTest::newRow("comment only") << "||||||poznámka" << QStringList{};
        QTest::newRow("amount without account")
            << "||100,00||||" << QStringList{"Číslo účtu není vyplněno", "Směrový kód není vyplněn"};
        QTest::newRow("bad check digit, unknown bank")
            << "19-2000145398|0999|||||" << QStringList{"Číslo účtu nemá platný kontrolní součet", "Neznámý kód banky"};
        QTest::newRow("short bank code") << "19-2000145399|800|||||" << QStringList{"Směrový kód má čtyři číslice"};
    }
    void itemWarnings() {
        QFETCH(QString, row);
        QFETCH(QStringList, warnings);
        OrderItem item;
        ReadRowText(row, item);
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

    void hint_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warning");
        QTest::newRow("nothing typed") << ""
                                       << ""
                                       << "" << false;
        QTest::newRow("known code only") << ""
                                         << "0100"
                                         << "Komerční banka, a.s." << false;
        QTest::newRow("unknown code") << ""
                                      << "0999"
                                      << "Neznámý kód banky" << true;
        QTest::newRow("good account shows IBAN")
            << "19-2000145399"
            << "0800"
            << "Česká spořitelna, a.s. · IBAN CZ65 0800 0000 1920 0014 5399" << false;
        QTest::newRow("bad check digit") << "19-2000145398"
                                         << "0800"
                                         << "Česká spořitelna, a.s. · Číslo účtu nemá platný kontrolní součet" << true;
        QTest::newRow("good account, code not complete") << "1265098001"
                                                         << "55"
                                                         << "Směrový kód má čtyři číslice" << true;
    }
    void hint() {
        QFETCH(QString, account);
        QFETCH(QString, code);
        QFETCH(QString, text);
        QFETCH(bool, warning);
        OrderItem item;
        item.Account = account;
        item.BankCode = code;
        const PaymentHint hint = DescribePayment(item, BankRegister::BuiltIn());
        QCOMPARE(hint.Text, text);
        QCOMPARE(hint.Warning, warning);
    }
};

QTEST_GUILESS_MAIN(TestBankRegister)
#include "tst_bankregister.moc"

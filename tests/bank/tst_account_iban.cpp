#include "bank/CzechAccount.h"
#include "bank/Iban.h"

#include <QTest>

class TestAccountIban : public QObject {
    Q_OBJECT
private slots:
    void accountCheck_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<int>("problem");
        const auto row = [](const char* name, const char* account, AccountProblem p) {
            QTest::newRow(name) << QString::fromUtf8(account) << int(p);
        };
        row("valid with prefix", "19-2000145399", AccountProblem::None);
        row("valid without prefix", "2000145399", AccountProblem::None);
        row("valid six-digit prefix", "178124-4159", AccountProblem::None);
        row("valid with zero padding typed", "000019-2000145399", AccountProblem::None);
        row("number check digit wrong", "19-2000145398", AccountProblem::NumberChecksum);
        row("prefix check digit wrong", "18-2000145399", AccountProblem::PrefixChecksum);
        row("empty", "  ", AccountProblem::Empty);
        row("letters", "19-20001A5399", AccountProblem::BadFormat);
        row("prefix too long", "1234567-2000145399", AccountProblem::BadFormat);
        row("number too long", "12000145399", AccountProblem::BadFormat);
        row("dash without prefix", "-2000145399", AccountProblem::BadFormat);
        row("dash without number", "19-", AccountProblem::BadFormat);
        row("two dashes", "1-9-2000145399", AccountProblem::BadFormat);
        row("one digit", "5", AccountProblem::TooShort);
        row("all zeros", "0000000000", AccountProblem::TooShort);
        row("one non-zero digit", "0000000100", AccountProblem::TooShort);
        row("two non-zero digits reach the checksum", "0000000011", AccountProblem::NumberChecksum);
    }
    void accountCheck() {
        QFETCH(QString, account);
        QFETCH(int, problem);
        QCOMPARE(int(CheckCzechAccount(account)), problem);
        QCOMPARE(AccountProblemText(AccountProblem(problem)).isEmpty(), problem == int(AccountProblem::None));
    }

    void ibanBothWays_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("bankCode");
        QTest::addColumn<QString>("iban");
        QTest::newRow("prefix") << "19-2000145399"
                                << "0800"
                                << "CZ65 0800 0000 1920 0014 5399";
        QTest::newRow("six-digit prefix") << "178124-4159"
                                          << "0710"
                                          << "CZ69 0710 1781 2400 0000 4159";
        QTest::newRow("no prefix") << "1265098001"
                                   << "5500"
                                   << "CZ58 5500 0000 0012 6509 8001";
    }
    void ibanBothWays() {
        QFETCH(QString, account);
        QFETCH(QString, bankCode);
        QFETCH(QString, iban);
        QCOMPARE(FormatIban(CzechIban(account, bankCode)), iban);
        QVERIFY(IbanChecksumOk(iban));
        const auto parts = ParseCzechIban(iban.toLower());
        QVERIFY(parts.has_value());
        QCOMPARE(parts->Account, account);
        QCOMPARE(parts->BankCode, bankCode);
    }

    void ibanRefusals() {
        QVERIFY(CzechIban(QStringLiteral("19-2000145399"), QStringLiteral("080")).isEmpty());
        QVERIFY(CzechIban(QStringLiteral("19-2000145399"), QStringLiteral("08A0")).isEmpty());
        QVERIFY(CzechIban(QStringLiteral("19x2000145399"), QStringLiteral("0800")).isEmpty());
        QVERIFY(!IbanChecksumOk(QStringLiteral("CZ65 0800 0000 1920 0014 5398")));
        QVERIFY(!ParseCzechIban(QStringLiteral("CZ65 0800 0000 1920 0014 5398")).has_value());
        QVERIFY(!ParseCzechIban(QStringLiteral("DE89 3704 0044 0532 0130 00")).has_value());
        QVERIFY(IbanChecksumOk(QStringLiteral("DE89 3704 0044 0532 0130 00")));
        QVERIFY(!IbanChecksumOk(QStringLiteral("CZ")));
        QVERIFY(!IbanChecksumOk(QStringLiteral("CZ65-0800")));
    }
};

QTEST_APPLESS_MAIN(TestAccountIban)
#include "tst_account_iban.moc"

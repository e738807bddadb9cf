#include "common/Error.h"
#include "order/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"

using OptInt = std::optional<int>;
Q_DECLARE_METATYPE(OptInt)

namespace {

// A file with what the program does not know: comments, foreign sections and keys, odd blanks,
// mixed line ends, a cp1250 byte and no line end after the last line.
const QByteArray kForeign = "; pozn\xe1mka\r\n"
                            "[Jine]\r\n"
                            "Klic = hodnota \r\n"
                            "\r\n"
                            "[Udaje]\n"
                            "  NazevBanky =  \"Komer\xe8n\xed banka\"  \n"
                            "Nezname=1\r"
                            "Mena=K\xe8\r\n"
                            "[Konec]\r\n"
                            "x=y";

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void read_data();
    void read();
    void readMissingFile();
    void firstSectionAndKeyWin();
    void writeReplacesOneLine_data();
    void writeReplacesOneLine();
    void writeNewKeyAfterLastKeyOfSection();
    void writeNewKeyIntoEmptySection();
    void writeAppendsMissingSection_data();
    void writeAppendsMissingSection();
    void writeCreatesMissingFile();
    void writeRefusesLineBreak();
    void writeFailureMessage();
    void parseInt_data();
    void parseInt();

private:
    QString path() const { return m_dir->filePath("Velorin.ini"); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestIniFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestIniFile::cleanup() {
    m_dir.reset();
}

void TestIniFile::read_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("present");
    QTest::newRow("blanks and double quotes") << kForeign << "Udaje"
                                              << "NazevBanky"
                                              << "Komerční banka" << true;
    QTest::newRow("case-insensitive") << kForeign << "UDAJE"
                                      << "nazevbanky"
                                      << "Komerční banka" << true;
    QTest::newRow("cp1250 value after lone CR") << kForeign << "Udaje"
                                                << "Mena"
                                                << "Kč" << true;
    QTest::newRow("last line without end") << kForeign << "Konec"
                                           << "x"
                                           << "y" << true;
    QTest::newRow("blanks round value") << kForeign << "Jine"
                                        << "Klic"
                                        << "hodnota" << true;
    QTest::newRow("missing key") << kForeign << "Udaje"
                                 << "Adresa"
                                 << "" << false;
    QTest::newRow("key of another section") << kForeign << "Udaje"
                                            << "Klic"
                                            << "" << false;
    QTest::newRow("missing section") << kForeign << "Nic"
                                     << "x"
                                     << "" << false;
    QTest::newRow("empty value") << QByteArray("[Udaje]\r\nMena=\r\n") << "Udaje"
                                 << "Mena"
                                 << "" << true;
    QTest::newRow("blank value") << QByteArray("[Udaje]\r\nMena=   \r\n") << "Udaje"
                                 << "Mena"
                                 << "" << true;
    QTest::newRow("single quotes") << QByteArray("[a]\nk=' x '\n") << "a"
                                   << "k"
                                   << " x " << true;
    QTest::newRow("unmatched quotes kept") << QByteArray("[a]\nk=\"x'\n") << "a"
                                           << "k"
                                           << "\"x'" << true;
    QTest::newRow("one pair only") << QByteArray("[a]\nk=\"\"x\"\"\n") << "a"
                                   << "k"
                                   << "\"x\"" << true;
    QTest::newRow("lone quote kept") << QByteArray("[a]\nk=\"\n") << "a"
                                     << "k"
                                     << "\"" << true;
    QTest::newRow("equals in value") << QByteArray("[a]\nk=b=c\n") << "a"
                                     << "k"
                                     << "b=c" << true;
    QTest::newRow("blanks in section header") << QByteArray(" [ a ] \nk=v\n") << "a"
                                              << "k"
                                              << "v" << true;
    QTest::newRow("cr only file") << QByteArray("[a]\rj=1\rk=2\r") << "a"
                                  << "k"
                                  << "2" << true;
    QTest::newRow("lf only file") << QByteArray("[a]\nj=1\nk=2\n") << "a"
                                  << "k"
                                  << "2" << true;
    QTest::newRow("key before any section") << QByteArray("k=1\n[a]\n") << "a"
                                            << "k"
                                            << "" << false;
    QTest::newRow("no-break space is no blank") << QByteArray("[a]\nk=\xa0x\n") << "a"
                                                << "k"
                                                << "\u00a0x" << true;
}

void TestIniFile::read() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QFETCH(bool, present);
    WriteRaw(path(), file);
    const auto value = IniFile::Read(path(), section, key);
    QCOMPARE(value.has_value(), present);
    if (present)
        QCOMPARE(*value, expected);
}

void TestIniFile::readMissingFile() {
    QVERIFY(!IniFile::Read(path(), "Udaje", "Mena").has_value());
    QVERIFY(!QFile::exists(path()));
}

void TestIniFile::firstSectionAndKeyWin() {
    WriteRaw(path(), "[a]\nk=1\nk=2\n[A]\nk=3\n");
    QCOMPARE(IniFile::Read(path(), "a", "k"), std::optional<QString>("1"));
    IniFile::Write(path(), "a", "K", "9");
    QCOMPARE(ReadAll(path()), QByteArray("[a]\nK=9\nk=2\n[A]\nk=3\n"));
}

void TestIniFile::writeReplacesOneLine_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");
    QByteArray bank = kForeign;
    bank.replace("  NazevBanky =  \"Komer\xe8n\xed banka\"  \n", "NazevBanky=\xc8SOB\n");
    QTest::newRow("quoted value, LF line") << "Udaje"
                                           << "NazevBanky"
                                           << "ČSOB" << bank;
    QByteArray mena = kForeign;
    mena.replace("Mena=K\xe8\r\n", "MENA=EUR\r\n");
    QTest::newRow("other case, CR LF line") << "udaje"
                                            << "MENA"
                                            << "EUR" << mena;
    QByteArray unknown = kForeign;
    unknown.replace("Nezname=1\r", "Nezname=\r");
    QTest::newRow("lone CR line, empty value") << "Udaje"
                                               << "Nezname"
                                               << "" << unknown;
    QByteArray last = kForeign;
    last.replace("x=y", "x=z");
    QTest::newRow("last line without end") << "Konec"
                                           << "x"
                                           << "z" << last;
}

void TestIniFile::writeReplacesOneLine() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    WriteRaw(path(), kForeign);
    IniFile::Write(path(), section, key, value);
    QCOMPARE(ReadAll(path()), expected);
    QCOMPARE(IniFile::Read(path(), section, key), std::optional<QString>(value));
}

void TestIniFile::writeNewKeyAfterLastKeyOfSection() {
    WriteRaw(path(), kForeign);
    IniFile::Write(path(), "Udaje", "Adresa", "Dlouhá 5");
    QByteArray expected = kForeign;
    expected.replace("Mena=K\xe8\r\n", "Mena=K\xe8\r\nAdresa=Dlouh\xe1 5\r\n");
    QCOMPARE(ReadAll(path()), expected);

    // In the last section, whose last line had no line end.
    IniFile::Write(path(), "Konec", "w", "1");
    expected.replace("x=y", "x=y\r\nw=1\r\n");
    QCOMPARE(ReadAll(path()), expected);
}

void TestIniFile::writeNewKeyIntoEmptySection() {
    WriteRaw(path(), "[a]\n\n[b]\nk=1\n");
    IniFile::Write(path(), "a", "n", "v");
    QCOMPARE(ReadAll(path()), QByteArray("[a]\nn=v\r\n\n[b]\nk=1\n"));
}

void TestIniFile::writeAppendsMissingSection_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("no final line end") << kForeign << kForeign + "\r\n[GenerovaniABO]\r\nPripojovatKomentare=1\r\n";
    QTest::newRow("lf file") << QByteArray("[a]\nk=1\n")
                             << QByteArray("[a]\nk=1\n[GenerovaniABO]\r\nPripojovatKomentare=1\r\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("[GenerovaniABO]\r\nPripojovatKomentare=1\r\n");
}

void TestIniFile::writeAppendsMissingSection() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    WriteRaw(path(), before);
    IniFile::Write(path(), "GenerovaniABO", "PripojovatKomentare", "1");
    QCOMPARE(ReadAll(path()), after);
}

void TestIniFile::writeCreatesMissingFile() {
    IniFile::Write(path(), "Udaje", "Mena", "Kč");
    IniFile::Write(path(), "Udaje", "AktualniRok", "2022");
    QCOMPARE(ReadAll(path()), QByteArray("[Udaje]\r\nMena=K\xe8\r\nAktualniRok=2022\r\n"));
}

void TestIniFile::writeRefusesLineBreak() {
    WriteRaw(path(), kForeign);
    QVERIFY_THROWS_EXCEPTION(VelorinError, IniFile::Write(path(), "Udaje", "Adresa", "a\nb=c"));
    QVERIFY_THROWS_EXCEPTION(VelorinError, IniFile::Write(path(), "Udaje", "Adresa", "ø"));
    QCOMPARE(ReadAll(path()), kForeign);
}

void TestIniFile::writeFailureMessage() {
    // A file where the folder should be: no one can write below it, root neither.
    WriteRaw(m_dir->filePath("prog"), "file");
    const QString bad = m_dir->filePath("prog/Velorin.ini");
    try {
        IniFile::Write(bad, "Udaje", "Mena", "Kč");
        QFAIL("the write did not fail");
    } catch (const VelorinError& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + bad);
    }
    QCOMPARE(ReadAll(m_dir->filePath("prog")), QByteArray("file"));
}

void TestIniFile::parseInt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptInt>("expected");
    QTest::newRow("decimal") << "2022" << OptInt(2022);
    QTest::newRow("plus") << "+5" << OptInt(5);
    QTest::newRow("minus") << "-7" << OptInt(-7);
    QTest::newRow("zero") << "0" << OptInt(0);
    QTest::newRow("hex 0x") << "0x7E6" << OptInt(2022);
    QTest::newRow("hex 0X lower digits") << "0X7e6" << OptInt(2022);
    QTest::newRow("hex dollar") << "$7E6" << OptInt(2022);
    QTest::newRow("blanks round") << " 2022 " << OptInt(2022);
    QTest::newRow("int max") << "2147483647" << OptInt(2147483647);
    QTest::newRow("int min") << "-2147483648" << OptInt(std::numeric_limits<int>::min());
    QTest::newRow("overflow") << "2147483648" << OptInt();
    QTest::newRow("huge") << "99999999999999999999" << OptInt();
    QTest::newRow("hex overflow") << "0x100000000" << OptInt();
    QTest::newRow("empty") << "" << OptInt();
    QTest::newRow("text") << "rok" << OptInt();
    QTest::newRow("trailing text") << "2022a" << OptInt();
    QTest::newRow("decimal comma") << "20,22" << OptInt();
    QTest::newRow("hex digit without prefix") << "7E6" << OptInt();
    QTest::newRow("prefix only") << "0x" << OptInt();
    QTest::newRow("dollar only") << "$" << OptInt();
    QTest::newRow("bad hex digit") << "0x7G" << OptInt();
    QTest::newRow("sign only") << "-" << OptInt();
    QTest::newRow("arabic digits") << "\u0662\u0660" << OptInt();
}

void TestIniFile::parseInt() {
    QFETCH(QString, text);
    QFETCH(OptInt, expected);
    QCOMPARE(IniFile::ParseInt(text), expected);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"

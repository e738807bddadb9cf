#include "common/Cp1250.h"
#include "common/Error.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void cp1250RoundTrip();
    void cp1250Unencodable_data();
    void cp1250Unencodable();
    void splitLines_data();
    void splitLines();
    void writesCp1250WithCrLf();
    void readLinesDecodesAndSplits();
    void readMissingFileNamesIt();
    void unencodableLeavesOldFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void replacingKeepsPermissionsAndLinks();
    void readOnlyFileIsNotReplaced();

private:
    QTemporaryDir m_dir;
};

void TestTextFile::cp1250RoundTrip() {
    // Every byte decodes to one character and encodes back to itself.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1250::Decode(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(Cp1250::CanEncode(text));
    QCOMPARE(Cp1250::Encode(text), all);

    QCOMPARE(Cp1250::Encode(QStringLiteral("Příkaz k úhradě")), QByteArray("P\xf8\xedkaz k \xfahrad\xec"));
    QCOMPARE(Cp1250::Encode(QStringLiteral("€ Š ž ť")), QByteArray("\x80 \x8a \x9e \x9d"));
    QCOMPARE(Cp1250::Decode(QByteArray("K\xe8")), QStringLiteral("Kč"));
}

void TestTextFile::cp1250Unencodable_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("named");
    QTest::newRow("o with stroke") << QStringLiteral("abcø") << 3 << QStringLiteral("„ø“ (U+00F8)");
    QTest::newRow("cyrillic") << QStringLiteral("Жx") << 0 << QStringLiteral("„Ж“ (U+0416)");
    QTest::newRow("emoji as one character") << QStringLiteral("a😀") << 1 << QStringLiteral("„😀“ (U+1F600)");
    QTest::newRow("line separator by code") << QStringLiteral("a\u2028b") << 1 << QStringLiteral("U+2028");
}

void TestTextFile::cp1250Unencodable() {
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, named);
    QVERIFY(!Cp1250::CanEncode(text));
    QCOMPARE(Cp1250::FirstUnencodableIndex(text), qsizetype(index));
    QCOMPARE(Cp1250::FirstUnencodable(text), text.at(index));
    QCOMPARE(Cp1250::DescribeCharacter(text, index), named);
    try {
        Cp1250::Encode(text);
        QFAIL("Encode accepted an unencodable text");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(named), qPrintable(e.message()));
    }
}

void TestTextFile::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lf") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("no final end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("mixed") << "a\rb\nc\r\nd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("lf cr is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty lines kept") << "\r\n\r\na\r\n" << QStringList{"", "", "a"};
    QTest::newRow("blank last line") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one end only") << "\r\n" << QStringList{""};
}

void TestTextFile::splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(TextFile::SplitLines(text), expected);
}

void TestTextFile::writesCp1250WithCrLf() {
    const QString path = m_dir.filePath("bytes.txt");
    TextFile::WriteLines(path, {QStringLiteral("Příkaz"), QString(), QStringLiteral("Kč")});
    QCOMPARE(ReadAll(path), QByteArray("P\xf8\xedkaz\r\n\r\nK\xe8\r\n"));

    // A second write replaces the file whole.
    TextFile::WriteLines(path, {QStringLiteral("x")});
    QCOMPARE(ReadAll(path), QByteArray("x\r\n"));

    TextFile::WriteLines(path, {});
    QCOMPARE(ReadAll(path), QByteArray());
}

void TestTextFile::readLinesDecodesAndSplits() {
    const QString path = m_dir.filePath("read.txt");
    WriteRaw(path, QByteArray("\xd8\xe1\x64\x65k\rKo\xbe\x65\xf2\nKon\xe8\x65k\r\n"));
    QCOMPARE(TextFile::ReadLines(path), (QStringList{"Řádek", "Koľeň", "Konček"}));
}

void TestTextFile::readMissingFileNamesIt() {
    const QString path = m_dir.filePath("missing.txt");
    try {
        TextFile::ReadLines(path);
        QFAIL("reading a missing file did not throw");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
}

void TestTextFile::unencodableLeavesOldFile() {
    const QString path = m_dir.filePath("keep.txt");
    TextFile::WriteLines(path, {QStringLiteral("starý obsah")});
    const QByteArray before = ReadAll(path);
    try {
        TextFile::WriteLines(path, {QStringLiteral("nový"), QStringLiteral("s znakem ø")});
        QFAIL("an unencodable line was written");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("„ø“")), qPrintable(e.message()));
    }
    QCOMPARE(ReadAll(path), before);
}

void TestTextFile::failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("path");
    // Tests may run as root, who can write into read-only folders: use paths no one can write.
    QTest::newRow("missing folder") << m_dir.filePath("no-such-folder/file.txt");
    QTest::newRow("file as folder") << m_dir.filePath("plain-file/file.txt");
    QTest::newRow("folder as file") << m_dir.filePath("a-folder");
}

void TestTextFile::failedWriteKeepsOldFile() {
    QFETCH(QString, path);
    WriteRaw(m_dir.filePath("plain-file"), "old content\r\n");
    QVERIFY(QDir(m_dir.path()).mkpath("a-folder"));
    try {
        TextFile::WriteLines(path, {QStringLiteral("řádek")});
        QFAIL("the write did not fail");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QCOMPARE(ReadAll(m_dir.filePath("plain-file")), QByteArray("old content\r\n"));
    QVERIFY(QFileInfo(m_dir.filePath("a-folder")).isDir());
    QVERIFY(!QFile::exists(m_dir.filePath("no-such-folder")));
}

void TestTextFile::replacingKeepsPermissionsAndLinks() {
    // The new file takes the old one's permissions, and a link keeps pointing at the replaced file.
    const QString path = m_dir.filePath("perms.txt");
    TextFile::WriteLines(path, {QStringLiteral("a")});
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(path, mode));
    TextFile::WriteLines(path, {QStringLiteral("b")});
    QCOMPARE(QFile::permissions(path) & 0xf0ff, mode); // without the current user's copy

    const QString link = m_dir.filePath("link.txt");
    QVERIFY(QFile::link(path, link));
    TextFile::WriteLines(link, {QStringLiteral("přes odkaz")});
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadAll(path), QByteArray("p\xf8\x65s odkaz\r\n"));

    // A chain of links: every link stays, the file at its end is replaced.
    const QString second = m_dir.filePath("link2.txt");
    QVERIFY(QFile::link(link, second));
    TextFile::WriteLines(second, {QStringLiteral("dvakrát")});
    QVERIFY(QFileInfo(second).isSymLink());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadAll(path), QByteArray("dvakr\xe1t\r\n"));
}

void TestTextFile::readOnlyFileIsNotReplaced() {
    // A file the user made read-only stays as it is; the write fails naming it and leaves no temporary file.
    const QString path = m_dir.filePath("chraneny.txt");
    TextFile::WriteLines(path, {QStringLiteral("old")});
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    try {
        TextFile::WriteLines(path, {QStringLiteral("new")});
        QFAIL("a read-only file was replaced");
    } catch (const VelorinError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QCOMPARE(ReadAll(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("chraneny.txt*")}, QDir::Files),
             QStringList{QStringLiteral("chraneny.txt")});
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

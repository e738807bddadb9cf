#include "common/TextFunctions.h"

#include <QTest>

class TestTextFunctions : public QObject {
    Q_OBJECT

private slots:
    void repeatChar_data();
    void repeatChar();
    void pad_data();
    void pad();
    void charPosFromEnd_data();
    void charPosFromEnd();
    void replaceChar_data();
    void replaceChar();
    void splitFields_data();
    void splitFields();
    void fieldAt_data();
    void fieldAt();
};

void TestTextFunctions::repeatChar_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("twelve zeros") << QChar('0') << 12 << QStringLiteral("000000000000");
    QTest::newRow("one blank") << QChar(' ') << 1 << QStringLiteral(" ");
    QTest::newRow("zero count") << QChar('0') << 0 << QString();
    QTest::newRow("negative count") << QChar('0') << -3 << QString();
    QTest::newRow("czech letter") << QChar(u'č') << 3 << QStringLiteral("ččč");
}

void TestTextFunctions::repeatChar() {
    QFETCH(QChar, c);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QCOMPARE(RepeatChar(c, count), expected);
}

void TestTextFunctions::pad_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("spaces");
    QTest::addColumn<QString>("zeros");
    QTest::newRow("shorter") << "abc" << 5 << "abc  "
                             << "00abc";
    QTest::newRow("longer keeps the beginning") << "abcdef" << 3 << "abc"
                                                << "abc";
    QTest::newRow("exact width") << "abcde" << 5 << "abcde"
                                 << "abcde";
    QTest::newRow("number to width 5") << "42" << 5 << "42   "
                                       << "00042";
    QTest::newRow("long number loses its end") << "123456" << 4 << "1234"
                                               << "1234";
    QTest::newRow("empty text") << "" << 3 << "   "
                                << "000";
    QTest::newRow("zero width") << "abc" << 0 << ""
                                << "";
    QTest::newRow("negative width") << "abc" << -2 << ""
                                    << "";
}

void TestTextFunctions::pad() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, spaces);
    QFETCH(QString, zeros);
    QCOMPARE(PadSpaces(text, width), spaces);
    QCOMPARE(PadZeros(text, width), zeros);
}

void TestTextFunctions::charPosFromEnd_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("comma second from end") << QChar(',') << "12,5" << 2;
    QTest::newRow("comma last") << QChar(',') << "125," << 1;
    QTest::newRow("no comma") << QChar(',') << "125" << 0;
    QTest::newRow("last of several counts") << QChar(',') << "1,2,3" << 2;
    QTest::newRow("comma first") << QChar(',') << ",50" << 3;
    QTest::newRow("empty text") << QChar(',') << "" << 0;
}

void TestTextFunctions::charPosFromEnd() {
    QFETCH(QChar, c);
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(CharPosFromEnd(c, text), expected);
}

void TestTextFunctions::replaceChar_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("full stop to comma") << "12.50"
                                        << "12,50";
    QTest::newRow("several") << "1.2.3"
                             << "1,2,3";
    QTest::newRow("none") << "1250"
                          << "1250";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextFunctions::replaceChar() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceChar(text, QChar('.'), QChar(',')), expected);
}

void TestTextFunctions::splitFields_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("three fields") << "a|b|c" << QStringList{"a", "b", "c"};
    QTest::newRow("adjacent separators") << "a||b" << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << QStringList{""};
    QTest::newRow("trailing separator") << "a|" << QStringList{"a", ""};
    QTest::newRow("leading separator") << "|a" << QStringList{"", "a"};
    QTest::newRow("empty row line") << "|||||||" << QStringList(8, QString());
    QTest::newRow("no separator") << "abc" << QStringList{"abc"};
}

void TestTextFunctions::splitFields() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QStringList fields{"stale", "content"};
    SplitFields(text, fields);
    QCOMPARE(fields, expected);
}

void TestTextFunctions::fieldAt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << "a|b" << 0 << "a";
    QTest::newRow("second") << "a|b" << 1 << "b";
    QTest::newRow("past the end") << "a|b" << 2 << "";
    QTest::newRow("far past the end") << "a|b" << 9 << "";
    QTest::newRow("negative") << "a|b" << -1 << "";
    QTest::newRow("amount of a row line") << "123|0100|1250,00|2201||||" << 2 << "1250,00";
}

void TestTextFunctions::fieldAt() {
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, expected);
    QCOMPARE(FieldAt(text, index), expected);
}

QTEST_GUILESS_MAIN(TestTextFunctions)
#include "tst_textfunctions.moc"

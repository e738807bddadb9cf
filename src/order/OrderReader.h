#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// The one reader of a year folder's order files, for the loops over a whole year (the overview,
// the open-order dialog): the file's Windows-1250 bytes cut into lines, nothing decoded until a
// caller asks. Which files exist is OrderFile::ListOrderFiles, the listing that names new orders.
class OrderFileReader {
public:
    // A file with fewer lines has no date and is not an order.
    static constexpr int kDateLine = 4;
    static constexpr int kMinLines = kDateLine + 1;

    // Reads path whole and cuts it at CR LF, lone CR and lone LF. False when the file cannot be
    // read (TextFile::ReadBytesInto: also what is no regular file, or too large) or has fewer than
    // five lines; problem() then says why. The buffers are reused from one file to the next.
    bool Read(const QString& path);
    const QString& problem() const { return m_problem; }

    int lineCount() const { return int(m_lines.size()); }
    QByteArrayView line(int i) const {
        const Span s = m_lines[std::size_t(i)];
        return QByteArrayView(m_bytes.constData() + s.start, s.length);
    }
    QString text(int i) const;
    QString date() const { return text(kDateLine); }

    // Field index (from 0) of a row line split at "|" from the left; a field is the text before
    // its "|", so text after the last "|" is none. Empty when the line has no such field.
    static QByteArrayView Field(QByteArrayView line, int index);
    static QString Decode(QByteArrayView bytes);
    // An amount or a date as the regional formats read it (decimal comma; day.month.year).
    static std::optional<double> Number(QByteArrayView text);
    static std::optional<QDate> Date(QByteArrayView text);

private:
    struct Span {
        qsizetype start;
        qsizetype length;
    };
    QByteArray m_bytes;
    std::vector<Span> m_lines;
    QString m_problem;
};

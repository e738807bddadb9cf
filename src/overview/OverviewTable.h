#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The rows of the overview and what find, filter and sort do with them; no widgets.
//
// Cells stay the Windows-1250 bytes of the order files in one buffer, so a year of 160,000 rows
// loads without decoding and texts sort by their code-page bytes as they are. The date and amount
// keys are read once per load. There is always at least one row; with no items it is empty.
class OverviewTable {
public:
    static constexpr int kColumns = 6;
    enum Column { Datum = 0, CisloUctu = 1, Kod = 2, Castka = 3, Prikaz = 4, Poznamka = 5 };

    // Loads the items with an amount of every file of names in folder, in that order. Files that
    // cannot be read or have fewer than five lines are skipped and named in problems
    // ("name: reason"). idle runs after each file.
    void Load(const QString& folder, const QStringList& names, QStringList& problems,
              const std::function<void()>& idle = {});

    int rowCount() const { return int(m_view.size()); }
    QString cell(int row, int column) const;
    QByteArrayView cellBytes(int row, int column) const;

    // The sum of the amounts of the rows shown; rows whose amount is no number are left out and
    // counted.
    struct Total {
        double sum = 0;
        int leftOut = 0;
    };
    Total total() const;

    // The first row from `from` towards the end (down) or the start whose cell in column matches
    // text: wholeCell compares the whole cell, otherwise it must contain text; matchCase off
    // compares both in lower case. Nothing when no row matches or from lies outside.
    std::optional<int> Find(const QString& text, int column, int from, bool down, bool matchCase, bool wholeCell) const;
    // The rows, in order, whose cell in column contains criterion ignoring case.
    std::vector<int> Matching(const QString& criterion, int column) const;
    // Keeps only the given rows (ascending indices), in their order.
    void Keep(const std::vector<int>& rows);
    // Ascending by column: texts by their Windows-1250 bytes, column 0 by date, column 3 by
    // number. Rows with equal keys keep their order; cells that are no date or number go last.
    // False for a column with no sort.
    bool Sort(int column);

    // The name of a column as the extended filter asks for it; empty for any other column.
    static QString ColumnCaption(int column);

private:
    struct Span {
        quint32 offset = 0;
        quint32 length = 0;
    };
    // What the rows of one file share.
    struct File {
        Span date;
        Span name;
    };
    struct Row {
        Span account, code, amount, comment;
        quint32 file;     // index in m_files; kNoFile for the empty row
        qint32 dateKey;   // Julian day; kNoDate when the cell is no date
        double amountKey; // +infinity when the cell is no number
    };
    static constexpr quint32 kNoFile = 0xFFFFFFFFu;

    const Row& rowAt(int row) const { return m_rows[m_view[std::size_t(row)]]; }
    Span spanOf(const Row& row, int column) const;
    Span store(QByteArrayView bytes);
    bool sortDatesByCounting();
    void setView(std::vector<quint32> view);

    // Every cell's bytes, one after another.
    QByteArray m_text;
    std::vector<File> m_files;
    // The rows as loaded; filters and sorts change only the view, the list of rows shown.
    std::vector<Row> m_rows;
    std::vector<quint32> m_view;
};

// Lower case of Windows-1250 bytes, as the regional lower-casing gives it.
const std::array<unsigned char, 256>& Cp1250LowerTable();

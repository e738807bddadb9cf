#include "overview/OverviewTable.h"

#include "common/Cp1250.h"
#include "common/Error.h"
#include "order/OrderReader.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr qint32 kNoDate = std::numeric_limits<qint32>::max();
// Amounts are finite numbers; this marks a cell that is none.
constexpr double kNoNumber = std::numeric_limits<double>::infinity();

// A name Windows-1250 cannot hold sorts with "?" in place of the character, as on the original
// platform.
QByteArray NameBytes(const QString& name) {
    QString text = name;
    for (qsizetype i = Cp1250::FirstUnencodableIndex(text); i >= 0; i = Cp1250::FirstUnencodableIndex(text))
        text[i] = QLatin1Char('?');
    return Cp1250::Encode(text);
}

// The needle in Windows-1250, lower-cased when asked; nothing when it holds a character no cell
// can hold.
std::optional<QByteArray> Needle(const QString& text, bool lower) {
    if (!Cp1250::CanEncode(text))
        return std::nullopt;
    QByteArray bytes = Cp1250::Encode(text);
    if (lower) {
        const auto& table = Cp1250LowerTable();
        for (char& c : bytes)
            c = char(table[static_cast<unsigned char>(c)]);
    }
    return bytes;
}

struct Matcher {
    QByteArray needle;
    bool matchCase;
    bool wholeCell;

    bool operator()(QByteArrayView cell) const {
        const auto& lower = Cp1250LowerTable();
        const auto same = [&](char a, char b) {
            return matchCase ? a == b : char(lower[static_cast<unsigned char>(a)]) == b;
        };
        if (wholeCell)
            return cell.size() == needle.size() && std::equal(cell.begin(), cell.end(), needle.begin(), same);
        if (needle.isEmpty())
            return true;
        return std::search(cell.begin(), cell.end(), needle.begin(), needle.end(), same) != cell.end();
    }
};

int ByteCompare(QByteArrayView a, QByteArrayView b) {
    const int c = std::memcmp(a.data(), b.data(), std::size_t(std::min(a.size(), b.size())));
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

} // namespace

const std::array<unsigned char, 256>& Cp1250LowerTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            t[std::size_t(b)] = static_cast<unsigned char>(b);
            const QString lower = Cp1250::Decode(QByteArray(1, char(b))).toLower();
            if (lower.size() == 1 && Cp1250::CanEncode(lower))
                t[std::size_t(b)] = static_cast<unsigned char>(Cp1250::Encode(lower).at(0));
        }
        return t;
    }();
    return table;
}

OverviewTable::Span OverviewTable::store(QByteArrayView bytes) {
    if (quint64(m_text.size()) + quint64(bytes.size()) > std::numeric_limits<quint32>::max())
        throw VelorinError(QStringLiteral("Přehled je příliš velký: texty položek přesahují 4 GB."));
    const Span span{quint32(m_text.size()), quint32(bytes.size())};
    m_text.append(bytes.data(), bytes.size());
    return span;
}

void OverviewTable::Load(const QString& folder, const QStringList& names, QStringList& problems,
                         const std::function<void()>& idle) {
    m_text.clear();
    m_files.clear();
    m_rows.clear();
    OrderFileReader reader;
    for (const QString& name : names) {
        if (!reader.Read(folder + QLatin1Char('/') + name)) {
            problems << name + QStringLiteral(": ") + reader.problem();
        } else {
            const QByteArrayView dateBytes = reader.line(OrderFileReader::kDateLine);
            qint32 dateKey = kNoDate;
            bool stored = false;
            for (int i = OrderFileReader::kMinLines; i < reader.lineCount(); ++i) {
                const QByteArrayView line = reader.line(i);
                const QByteArrayView amount = OrderFileReader::Field(line, 2);
                if (amount.isEmpty())
                    continue;
                if (!stored) {
                    stored = true;
                    m_files.push_back({store(dateBytes), store(NameBytes(name))});
                    if (const auto d = OrderFileReader::Date(dateBytes))
                        dateKey = qint32(d->toJulianDay());
                }
                Row row;
                row.account = store(OrderFileReader::Field(line, 0));
                row.code = store(OrderFileReader::Field(line, 1));
                row.amount = store(amount);
                row.comment = store(OrderFileReader::Field(line, 6));
                row.file = quint32(m_files.size() - 1);
                row.dateKey = dateKey;
                const std::optional<double> value = OrderFileReader::Number(amount);
                row.amountKey = value ? *value : kNoNumber;
                m_rows.push_back(row);
            }
        }
        if (idle)
            idle();
    }
    if (m_rows.empty())
        m_rows.push_back(Row{{}, {}, {}, {}, kNoFile, kNoDate, kNoNumber});
    std::vector<quint32> view(m_rows.size());
    for (std::size_t i = 0; i < view.size(); ++i)
        view[i] = quint32(i);
    m_view = std::move(view);
}

void OverviewTable::setView(std::vector<quint32> view) {
    // The grid always has a row; with none left it shows an empty one.
    if (view.empty()) {
        if (m_rows.back().file != kNoFile || m_rows.back().amount.length != 0)
            m_rows.push_back(Row{{}, {}, {}, {}, kNoFile, kNoDate, kNoNumber});
        view.push_back(quint32(m_rows.size() - 1));
    }
    m_view = std::move(view);
}

OverviewTable::Span OverviewTable::spanOf(const Row& row, int column) const {
    switch (column) {
    case Datum:
        return row.file == kNoFile ? Span{} : m_files[row.file].date;
    case CisloUctu:
        return row.account;
    case Kod:
        return row.code;
    case Castka:
        return row.amount;
    case Prikaz:
        return row.file == kNoFile ? Span{} : m_files[row.file].name;
    case Poznamka:
        return row.comment;
    default:
        return Span{};
    }
}

QByteArrayView OverviewTable::cellBytes(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return {};
    const Span s = spanOf(rowAt(row), column);
    return QByteArrayView(m_text.constData() + s.offset, s.length);
}

QString OverviewTable::cell(int row, int column) const {
    return OrderFileReader::Decode(cellBytes(row, column));
}

OverviewTable::Total OverviewTable::total() const {
    Total t;
    for (const quint32 i : m_view) {
        const Row& row = m_rows[i];
        if (row.amountKey != kNoNumber)
            t.sum += row.amountKey;
        else if (row.amount.length > 0)
            ++t.leftOut;
    }
    return t;
}

std::optional<int> OverviewTable::Find(const QString& text, int column, int from, bool down, bool matchCase,
                                       bool wholeCell) const {
    if (column < 0 || column >= kColumns)
        return std::nullopt;
    const std::optional<QByteArray> needle = Needle(text, !matchCase);
    if (!needle)
        return std::nullopt;
    const Matcher matches{*needle, matchCase, wholeCell};
    const int step = down ? 1 : -1;
    for (int r = from; r >= 0 && r < rowCount(); r += step) {
        if (matches(cellBytes(r, column)))
            return r;
    }
    return std::nullopt;
}

std::vector<int> OverviewTable::Matching(const QString& criterion, int column) const {
    std::vector<int> rows;
    if (column < 0 || column >= kColumns)
        return rows;
    const std::optional<QByteArray> needle = Needle(criterion, true);
    if (!needle)
        return rows;
    const Matcher matches{*needle, false, false};
    for (int r = 0; r < rowCount(); ++r) {
        if (matches(cellBytes(r, column)))
            rows.push_back(r);
    }
    return rows;
}

void OverviewTable::Keep(const std::vector<int>& rows) {
    std::vector<quint32> view;
    view.reserve(rows.size());
    for (const int r : rows)
        view.push_back(m_view[std::size_t(r)]);
    setView(std::move(view));
}

bool OverviewTable::Sort(int column) {
    if (column < 0 || column >= kColumns)
        return false;
    if (column == Datum && sortDatesByCounting())
        return true;
    // The keys beside the row numbers, so that the sort moves small pairs and reads no row twice.
    const auto sortBy = [this](auto keyOf, auto less) {
        using Key = decltype(keyOf(m_rows.front()));
        std::vector<std::pair<Key, quint32>> keys;
        keys.reserve(m_view.size());
        for (const quint32 i : m_view)
            keys.emplace_back(keyOf(m_rows[i]), i);
        std::stable_sort(keys.begin(), keys.end(),
                         [&less](const auto& a, const auto& b) { return less(a.first, b.first); });
        for (std::size_t i = 0; i < keys.size(); ++i)
            m_view[i] = keys[i].second;
    };
    if (column == Datum) {
        sortBy([](const Row& row) { return row.dateKey; }, std::less<>());
    } else if (column == Castka) {
        sortBy([](const Row& row) { return row.amountKey; }, std::less<>());
    } else {
        const char* text = m_text.constData();
        sortBy([this, column](const Row& row) { return spanOf(row, column); },
               [text](const Span& a, const Span& b) {
                   return ByteCompare(QByteArrayView(text + a.offset, a.length),
                                      QByteArrayView(text + b.offset, b.length)) < 0;
               });
    }
    return true;
}

bool OverviewTable::sortDatesByCounting() {
    // A year's dates span a few hundred days: counting them is stable and linear.
    qint32 low = std::numeric_limits<qint32>::max();
    qint32 high = std::numeric_limits<qint32>::min();
    for (const quint32 i : m_view) {
        const qint32 key = m_rows[i].dateKey;
        if (key == kNoDate)
            continue;
        low = std::min(low, key);
        high = std::max(high, key);
    }
    const std::size_t n = m_view.size();
    if (low > high)
        return true; // no dates at all: nothing moves
    if (quint64(qint64(high) - low) > 4 * n + 1024)
        return false;
    // The last slot takes the cells that are no date.
    const std::size_t slotCount = std::size_t(high - low) + 2;
    const auto slotOf = [&](quint32 i) {
        const qint32 key = m_rows[i].dateKey;
        return key == kNoDate ? slotCount - 1 : std::size_t(key - low);
    };
    std::vector<quint32> start(slotCount + 1, 0);
    for (const quint32 i : m_view)
        ++start[slotOf(i) + 1];
    for (std::size_t s = 1; s <= slotCount; ++s)
        start[s] += start[s - 1];
    std::vector<quint32> sorted(n);
    for (const quint32 i : m_view)
        sorted[start[slotOf(i)]++] = i;
    m_view = std::move(sorted);
    return true;
}

QString OverviewTable::ColumnCaption(int column) {
    switch (column) {
    case Datum:
        return QStringLiteral("Datum");
    case CisloUctu:
        return QStringLiteral("Číslo účtu");
    case Kod:
        return QStringLiteral("Směrový kód");
    case Castka:
        return QStringLiteral("Částka v Kč");
    case Prikaz:
        return QStringLiteral("Označení příkazu");
    case Poznamka:
        return QStringLiteral("Poznámka/zpráva");
    default:
        return QString();
    }
}

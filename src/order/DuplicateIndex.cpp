#include "order/DuplicateIndex.h"

#include "common/Cp1250.h"
#include "common/CzechFormat.h"
#include "order/OrderFile.h"
#include "order/OrderReader.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <algorithm>
#include <cstring>

namespace {

// Room for the normalised text; a longer field (only a hand edit makes one) gives no key.
constexpr qsizetype kKeyRoom = 160;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class KeyText {
public:
    bool full() const { return m_size > kKeyRoom - 24; }
    void put(char c) {
        if (m_size < kKeyRoom)
            m_text[m_size++] = c;
    }
    // The part without blanks and without leading zeros; "0" stays "0" only when nothing else does.
    void putWithoutLeadingZeros(QByteArrayView part) {
        bool leading = true;
        for (char c : part) {
            if (IsBlank(c) || (leading && c == '0'))
                continue;
            leading = false;
            put(c);
        }
    }
    void putNumber(qint64 value) {
        char digits[24];
        int n = 0;
        const bool negative = value < 0;
        quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
        do {
            digits[n++] = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude);
        if (negative)
            put('-');
        while (n)
            put(digits[--n]);
    }
    PaymentKey hash() const { return PaymentKey(qHashBits(m_text, std::size_t(m_size), 0x5eed)); }

private:
    char m_text[kKeyRoom];
    qsizetype m_size = 0;
};

// The amount in hundredths: [-]digits[,.digits] without allocating, anything else the regional way.
std::optional<qint64> Cents(QByteArrayView amount) {
    qint64 whole = 0;
    qint64 cents = 0;
    int decimals = 0;
    int digits = 0;
    bool negative = false;
    bool mark = false;
    bool roundUp = false;
    bool plain = true;
    qsizetype i = 0;
    while (i < amount.size() && IsBlank(amount[i]))
        ++i;
    if (i < amount.size() && amount[i] == '-') {
        negative = true;
        ++i;
    }
    for (; i < amount.size() && plain; ++i) {
        const char c = amount[i];
        if (IsDigit(c)) {
            ++digits;
            if (!mark) {
                if (whole > 100000000000000LL)
                    plain = false;
                whole = whole * 10 + (c - '0');
            } else if (decimals < 2) {
                cents = cents * 10 + (c - '0');
                ++decimals;
            } else if (decimals++ == 2) {
                roundUp = c >= '5'; // halves away from zero, as ParseHalers rounds
            }
        } else if ((c == ',' || c == '.') && !mark) {
            mark = true;
        } else if (!IsBlank(c)) {
            plain = false;
        }
    }
    if (plain && digits > 0) {
        while (decimals < 2) {
            cents *= 10;
            ++decimals;
        }
        const qint64 value = whole * 100 + cents + (roundUp ? 1 : 0);
        return negative ? -value : value;
    }
    // Anything else through the one conversion the exports use.
    QString text = QString::fromUtf8(amount);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return CzechFormat::ParseHalers(text);
}

std::optional<PaymentKey> KeyOf(QByteArrayView account, QByteArrayView code, QByteArrayView amount,
                                QByteArrayView symbol) {
    if (std::all_of(account.begin(), account.end(), IsBlank))
        return std::nullopt;
    if (account.size() + code.size() + symbol.size() > kKeyRoom - 32)
        return std::nullopt;
    const std::optional<qint64> cents = Cents(amount);
    if (!cents)
        return std::nullopt;
    KeyText key;
    const qsizetype dash = account.indexOf('-');
    if (dash >= 0) {
        key.putWithoutLeadingZeros(account.first(dash));
        key.put('-');
        key.putWithoutLeadingZeros(account.sliced(dash + 1));
    } else {
        key.put('-');
        key.putWithoutLeadingZeros(account);
    }
    key.put('|');
    key.putWithoutLeadingZeros(code);
    key.put('|');
    key.putNumber(*cents);
    key.put('|');
    key.putWithoutLeadingZeros(symbol);
    return key.hash();
}

bool IsAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

std::optional<PaymentKey> SamePaymentKey(const OrderItem& item) {
    return KeyOf(item.Account.toUtf8(), item.BankCode.toUtf8(), item.Amount.toUtf8(), item.VariableSymbol.toUtf8());
}

std::optional<PaymentKey> SamePaymentKeyOfLine(QByteArrayView line) {
    // The first four fields, each before its "|", in one pass.
    QByteArrayView fields[4];
    const char* p = line.data();
    const char* end = p + line.size();
    for (QByteArrayView& field : fields) {
        const auto* bar = p < end ? static_cast<const char*>(std::memchr(p, '|', std::size_t(end - p))) : nullptr;
        if (!bar)
            return std::nullopt; // a line without its amount pays nothing; without the symbol it is cut short
        field = QByteArrayView(p, bar - p);
        p = bar + 1;
    }
    if (fields[0].isEmpty() || fields[2].isEmpty())
        return std::nullopt;
    if (IsAscii(line.first(p - line.data())))
        return KeyOf(fields[0], fields[1], fields[2], fields[3]);
    // Rare: a hand-edited file; the key is made from the text as the order would hold it.
    OrderItem item;
    item.Account = OrderFileReader::Decode(fields[0]);
    item.BankCode = OrderFileReader::Decode(fields[1]);
    item.Amount = OrderFileReader::Decode(fields[2]);
    item.VariableSymbol = OrderFileReader::Decode(fields[3]);
    return SamePaymentKey(item);
}

QString SamePaymentText(const PaymentPlace& place) {
    if (place.designation.isEmpty())
        return QStringLiteral("Stejná platba je už v tomto příkazu, řádek %1").arg(place.row);
    return QStringLiteral("Stejná platba je už v příkazu %1 (%2), řádek %3")
        .arg(place.designation, place.date)
        .arg(place.row);
}

int DuplicateIndex::orderCount() const {
    return int(std::count_if(m_orders.begin(), m_orders.end(), [](const Order& o) { return !o.superseded; }));
}

void DuplicateIndex::Clear() {
    m_folder.clear();
    m_orders.clear();
    m_read.clear();
    m_saved.clear();
}

void DuplicateIndex::add(const QString& name, QByteArray date, const std::vector<Payment>& payments,
                         std::vector<Payment>& into) {
    const auto index = quint32(m_orders.size());
    m_orders.push_back({name, std::move(date)});
    for (const Payment& payment : payments)
        into.push_back({payment.key, index << 5 | payment.place});
}

void DuplicateIndex::Build(const QString& folder, const std::function<void()>& idle) {
    Clear();
    m_folder = folder;
    const QStringList names = OrderFile::ListOrderFiles(folder);
    m_orders.reserve(std::size_t(names.size()));
    m_read.reserve(std::size_t(names.size()) * 8);
    OrderFileReader reader;
    std::vector<Payment> payments;
    for (const QString& name : names) {
        if (reader.Read(folder + QLatin1Char('/') + name)) {
            payments.clear();
            // The 16 rows of an order; lines after them are no part of it.
            const int last = std::min(reader.lineCount(), OrderFile::kLineCount);
            for (int i = OrderFileReader::kMinLines; i < last; ++i)
                if (const std::optional<PaymentKey> key = SamePaymentKeyOfLine(reader.line(i)))
                    payments.push_back({*key, quint32(i - OrderFileReader::kMinLines + 1)});
            add(name, reader.line(OrderFileReader::kDateLine).toByteArray(), payments, m_read);
        }
        if (idle)
            idle();
    }
    std::sort(m_read.begin(), m_read.end());
}

void DuplicateIndex::Update(const PaymentOrder& order) {
    if (m_folder.isEmpty())
        return;
    const QFileInfo file(order.FilePath);
    if (file.absolutePath() != QFileInfo(m_folder).absoluteFilePath())
        return; // an order of another folder is no order of this year
    std::vector<Payment> payments;
    for (int r = 0; r < kItemCount; ++r)
        if (const std::optional<PaymentKey> key = SamePaymentKey(order.Items[std::size_t(r)]))
            payments.push_back({*key, quint32(r + 1)});
    for (Order& old : m_orders)
        if (old.name == file.fileName())
            old.superseded = true;
    // Saved, so the date is one Windows-1250 holds.
    add(file.fileName(), Cp1250::Encode(order.OrderDate), payments, m_saved);
}

std::optional<PaymentPlace> DuplicateIndex::Find(PaymentKey key, const QString& skipPath) const {
    const QString skip = QFileInfo(skipPath).fileName();
    const Order* best = nullptr;
    int bestRow = 0;
    auto consider = [&](const Payment& payment) {
        const quint32 index = payment.place >> 5;
        const Order& order = m_orders[index];
        // Only the newest entry of a file counts: older ones are what it held before a save.
        if (order.superseded || order.name == skip)
            return;
        const int row = int(payment.place & 31);
        if (!best || order.name > best->name || (order.name == best->name && row < bestRow)) {
            best = &order;
            bestRow = row;
        }
    };
    const auto [first, end] = std::equal_range(m_read.begin(), m_read.end(), Payment{key, 0});
    std::for_each(first, end, consider);
    for (const Payment& payment : m_saved)
        if (payment.key == key)
            consider(payment);
    if (!best)
        return std::nullopt;
    return PaymentPlace{best->name.chopped(4), OrderFileReader::Decode(best->date), bestRow};
}

std::optional<PaymentPlace> FindSamePayment(const OrderItem& item, const PaymentOrder& order, int row,
                                            const DuplicateIndex* year) {
    const std::optional<PaymentKey> key = SamePaymentKey(item);
    if (!key)
        return std::nullopt;
    for (int r = 0; r < kItemCount; ++r) {
        if (r == row)
            continue;
        if (SamePaymentKey(order.Items[std::size_t(r)]) == key)
            return PaymentPlace{{}, {}, r + 1};
    }
    if (year)
        return year->Find(*key, order.FilePath);
    return std::nullopt;
}

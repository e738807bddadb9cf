#include "order/DuplicateIndex.h"

#include "common/CzechFormat.h"
#include "order/OrderFile.h"
#include "order/OrderReader.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void AppendWithoutLeadingZeros(QByteArray& out, QByteArrayView digits) {
    qsizetype i = 0;
    while (i < digits.size() && digits[i] == '0')
        ++i;
    out.append(digits.sliced(i));
}

// Blanks dropped; works on ASCII or UTF-8 bytes alike.
QByteArray WithoutBlanks(QByteArrayView text) {
    QByteArray out;
    out.reserve(text.size());
    for (char c : text)
        if (!IsBlank(c))
            out.append(c);
    return out;
}

std::optional<QByteArray> KeyOf(QByteArrayView account, QByteArrayView code, QByteArrayView amount,
                                QByteArrayView symbol) {
    const QByteArray acc = WithoutBlanks(account);
    if (acc.isEmpty())
        return std::nullopt;
    QByteArray money = WithoutBlanks(amount);
    if (money.isEmpty())
        return std::nullopt;
    money.replace('.', ',');
    const std::optional<double> value = OrderFileReader::Number(money);
    if (!value || !(std::fabs(*value) < 9.0e15))
        return std::nullopt;

    QByteArray key;
    key.reserve(acc.size() + code.size() + symbol.size() + 24);
    const qsizetype dash = acc.indexOf('-');
    if (dash >= 0) {
        const qsizetype before = key.size();
        AppendWithoutLeadingZeros(key, QByteArrayView(acc).first(dash));
        if (key.size() > before)
            key.append('-');
        AppendWithoutLeadingZeros(key, QByteArrayView(acc).sliced(dash + 1));
    } else {
        AppendWithoutLeadingZeros(key, acc);
    }
    key.append('|');
    AppendWithoutLeadingZeros(key, WithoutBlanks(code));
    key.append('|');
    key.append(QByteArray::number(qint64(std::llround(*value * 100.0))));
    key.append('|');
    AppendWithoutLeadingZeros(key, WithoutBlanks(symbol));
    return key;
}

bool IsAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

std::optional<QByteArray> SamePaymentKey(const OrderItem& item) {
    return KeyOf(item.Account.toUtf8(), item.BankCode.toUtf8(), item.Amount.toUtf8(), item.VariableSymbol.toUtf8());
}

std::optional<QByteArray> SamePaymentKeyOfLine(QByteArrayView line) {
    const QByteArrayView account = OrderFileReader::Field(line, 0);
    if (account.isEmpty())
        return std::nullopt;
    const QByteArrayView code = OrderFileReader::Field(line, 1);
    const QByteArrayView amount = OrderFileReader::Field(line, 2);
    const QByteArrayView symbol = OrderFileReader::Field(line, 3);
    if (IsAscii(account) && IsAscii(code) && IsAscii(amount) && IsAscii(symbol))
        return KeyOf(account, code, amount, symbol);
    // Rare: a hand-edited file; the key is made from the text as the order would hold it.
    OrderItem item;
    item.Account = OrderFileReader::Decode(account);
    item.BankCode = OrderFileReader::Decode(code);
    item.Amount = OrderFileReader::Decode(amount);
    item.VariableSymbol = OrderFileReader::Decode(symbol);
    return SamePaymentKey(item);
}

QString SamePaymentText(const PaymentPlace& place) {
    if (place.designation.isEmpty())
        return QStringLiteral("Stejná platba je už v tomto příkazu, řádek %1").arg(place.row);
    return QStringLiteral("Stejná platba je už v příkazu %1 (%2), řádek %3")
        .arg(place.designation, place.date)
        .arg(place.row);
}

void DuplicateIndex::Clear() {
    m_folder.clear();
    m_orders.clear();
    m_byName.clear();
    m_payments.clear();
}

void DuplicateIndex::add(const QString& name, const QString& date,
                         const std::vector<std::pair<QByteArray, int>>& keys) {
    const auto index = quint32(m_orders.size());
    m_orders.push_back({name, date});
    m_byName.insert(name, int(index));
    for (const auto& [key, row] : keys)
        m_payments.insert(key, index << 5 | quint32(row));
}

void DuplicateIndex::Build(const QString& folder, const std::function<void()>& idle) {
    Clear();
    m_folder = folder;
    const QStringList names = OrderFile::ListOrderFiles(folder);
    m_orders.reserve(std::size_t(names.size()));
    m_byName.reserve(names.size());
    m_payments.reserve(names.size() * 4);
    OrderFileReader reader;
    std::vector<std::pair<QByteArray, int>> keys;
    for (const QString& name : names) {
        if (reader.Read(folder + QLatin1Char('/') + name)) {
            keys.clear();
            // The 16 rows of an order; lines after them are no part of it.
            const int last = std::min(reader.lineCount(), OrderFile::kLineCount);
            for (int i = OrderFileReader::kMinLines; i < last; ++i)
                if (std::optional<QByteArray> key = SamePaymentKeyOfLine(reader.line(i)))
                    keys.emplace_back(std::move(*key), i - OrderFileReader::kMinLines + 1);
            add(name, reader.date(), keys);
        }
        if (idle)
            idle();
    }
}

void DuplicateIndex::Update(const PaymentOrder& order) {
    if (m_folder.isEmpty())
        return;
    const QFileInfo file(order.FilePath);
    if (file.absolutePath() != QFileInfo(m_folder).absoluteFilePath())
        return; // an order of another folder is no order of this year
    std::vector<std::pair<QByteArray, int>> keys;
    for (int r = 0; r < kItemCount; ++r)
        if (std::optional<QByteArray> key = SamePaymentKey(order.Items[std::size_t(r)]))
            keys.emplace_back(std::move(*key), r + 1);
    add(file.fileName(), order.OrderDate, keys);
}

std::optional<PaymentPlace> DuplicateIndex::Find(const QByteArray& key, const QString& skipPath) const {
    const QString skip = QFileInfo(skipPath).fileName();
    const Order* best = nullptr;
    int bestRow = 0;
    const auto [first, end] = m_payments.equal_range(key);
    for (auto it = first; it != end; ++it) {
        const quint32 index = it.value() >> 5;
        const Order& order = m_orders[index];
        // Only the newest entry of a file counts: older ones are what it held before a save.
        if (m_byName.value(order.name, -1) != int(index) || order.name == skip)
            continue;
        const int row = int(it.value() & 31);
        if (!best || order.name > best->name || (order.name == best->name && row < bestRow)) {
            best = &order;
            bestRow = row;
        }
    }
    if (!best)
        return std::nullopt;
    return PaymentPlace{best->name.chopped(4), best->date, bestRow};
}

std::optional<PaymentPlace> FindSamePayment(const OrderItem& item, const PaymentOrder& order, int row,
                                            const DuplicateIndex* year) {
    const std::optional<QByteArray> key = SamePaymentKey(item);
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

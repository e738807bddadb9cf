#include "order/PaymentOrder.h"

#include "common/Cp1250.h"
#include "common/CzechFormat.h"

#include <QFileInfo>
#include <array>

const QString& OrderItem::field(int column) const {
    static constexpr std::array<QString OrderItem::*, 7> kFields{
        &OrderItem::Account,        &OrderItem::BankCode,       &OrderItem::Amount, &OrderItem::VariableSymbol,
        &OrderItem::ConstantSymbol, &OrderItem::SpecificSymbol, &OrderItem::Comment};
    return this->*kFields[size_t(column >= 0 && column < 6 ? column : 6)]; // any other column: the comment
}

QString& OrderItem::field(int column) {
    return const_cast<QString&>(static_cast<const OrderItem&>(*this).field(column));
}

bool OrderItem::isNonEmpty() const {
    for (int c = 0; c <= kGridColumns; ++c) {
        if (!field(c).isEmpty())
            return true;
    }
    return false;
}

void OrderItem::clear() {
    *this = OrderItem();
}

QString RowText(const OrderItem& item) {
    QString text;
    for (int c = 0; c <= kGridColumns; ++c) {
        text += item.field(c);
        text += QLatin1Char('|');
    }
    return text;
}

void ReadRowText(const QString& line, OrderItem& item) {
    int column = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype bar = line.indexOf(QLatin1Char('|'), start);
        if (bar < 0)
            break; // text after the last "|" is no field
        // Field 7 and every further one go to the comment, so the last of them stays.
        item.field(column) = line.mid(start, bar - start);
        if (column < kGridColumns)
            ++column;
        start = bar + 1;
    }
}

std::optional<OrderItem> ReadClipboardItem(const QString& text) {
    if (text.count(QLatin1Char('|')) != kGridColumns + 1 || !text.endsWith(QLatin1Char('|')))
        return std::nullopt;
    OrderItem item;
    ReadRowText(text, item);
    for (int c = 0; c <= kGridColumns; ++c) {
        if (!FieldProblem(item.field(c)).isEmpty())
            return std::nullopt;
    }
    return item;
}

int PaymentOrder::CountValidItems() const {
    int count = 0;
    for (const OrderItem& item : Items) {
        if (item.isValidItem())
            ++count;
    }
    return count;
}

TotalResult PaymentOrder::ComputeTotal() const {
    TotalResult result;
    for (int r = 0; r < kItemCount; ++r) {
        const OrderItem& item = Items[std::size_t(r)];
        if (!item.isAmountRow())
            continue;
        if (const auto value = CzechFormat::ParseNumber(item.Amount))
            result.total += *value;
        else
            result.unreadableRows.append(r + 1);
    }
    return result;
}

QString UnreadableRowsNote(const QList<int>& rows) {
    if (rows.isEmpty())
        return QString();
    QStringList numbers;
    for (int r : rows)
        numbers << QString::number(r);
    return (rows.size() == 1 ? QStringLiteral("(bez řádku %1: částka není číslo)")
                             : QStringLiteral("(bez řádků %1: částky nejsou čísla)"))
        .arg(numbers.join(QStringLiteral(", ")));
}

QString UnreadableCountNote(qsizetype count) {
    if (count <= 0)
        return QString();
    return count == 1 ? QStringLiteral("(bez 1 řádku: částka není číslo)")
                      : QStringLiteral("(bez %1 řádků: částky nejsou čísla)").arg(count);
}

QString OrderTotalText(const TotalResult& total) {
    QString text = QStringLiteral("Celkem k platbě :    ") + CzechFormat::Money(total.total);
    // A hand-edited amount that is no number must not make the total silently wrong.
    if (!total.unreadableRows.isEmpty())
        text += QStringLiteral("    ") + UnreadableRowsNote(total.unreadableRows);
    return text;
}

void PaymentOrder::Clear() {
    for (OrderItem& item : Items)
        item.clear();
    Total = 0.0;
    OrderDate.clear();
    FilePath.clear();
}

QString PaymentOrder::PathWithoutExtension() const {
    QString path = FilePath;
    if (path.endsWith(QLatin1String(".ppu"), Qt::CaseInsensitive))
        path.chop(4);
    return path;
}

QString PaymentOrder::Designation() const {
    return QFileInfo(PathWithoutExtension()).fileName();
}

QString FieldProblem(const QString& text) {
    if (text.contains(QLatin1Char('|')))
        return QStringLiteral("Text obsahuje znak „|“, který v souboru příkazu odděluje pole.");
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return QStringLiteral("Text obsahuje konec řádku.");
    const qsizetype bad = Cp1250::FirstUnencodableIndex(text);
    if (bad >= 0) {
        return QStringLiteral("Text obsahuje znak %1, který nelze uložit v kódování Windows-1250.")
            .arg(Cp1250::DescribeCharacter(text, bad));
    }
    return QString();
}

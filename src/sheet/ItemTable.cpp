#include "sheet/ItemTable.h"

#include "bank/BankRegister.h"
#include "bank/CzechAccount.h"
#include "bank/Iban.h"

#include <QHash>
#include <algorithm>

namespace {

constexpr ItemColumn kByPosition[] = {
    ItemColumn::Account,        ItemColumn::BankCode,       ItemColumn::Amount, ItemColumn::VariableSymbol,
    ItemColumn::ConstantSymbol, ItemColumn::SpecificSymbol, ItemColumn::Comment};

bool IsBlank(QChar c) {
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

QString WithoutBlanks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!IsBlank(c))
            out.append(c);
    return out;
}

// Lower case, no diacritics, no dots or colons, single blanks.
QString HeadingKey(const QString& text) {
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing || c == u'.' || c == u':' || c == u'*')
            continue;
        out.append(IsBlank(c) ? QChar(u' ') : c.toLower());
    }
    return out.simplified();
}

bool AllDigits(const QString& text) {
    return !text.isEmpty() && AllAsciiDigits(text);
}

// "digits[-digits]/digits": an account written with its code.
bool LooksLikeAccountWithCode(const QString& cell) {
    const QString text = WithoutBlanks(cell);
    const qsizetype slash = text.indexOf(u'/');
    if (slash <= 0)
        return false;
    QString account = text.left(slash);
    account.remove(u'-');
    return AllDigits(account) && AllDigits(text.mid(slash + 1));
}

} // namespace

QString ItemColumnName(ItemColumn column) {
    switch (column) {
    case ItemColumn::Account:
        return QStringLiteral("Účet");
    case ItemColumn::BankCode:
        return QStringLiteral("Kód banky");
    case ItemColumn::Amount:
        return QStringLiteral("Částka");
    case ItemColumn::VariableSymbol:
        return QStringLiteral("VS");
    case ItemColumn::ConstantSymbol:
        return QStringLiteral("KS");
    case ItemColumn::SpecificSymbol:
        return QStringLiteral("SS");
    case ItemColumn::Comment:
        return QStringLiteral("Zpráva");
    case ItemColumn::None:
        break;
    }
    return QStringLiteral("Nepoužít");
}

std::optional<ItemColumn> ColumnOfHeading(const QString& heading) {
    static const QHash<QString, ItemColumn> kHeadings = [] {
        QHash<QString, ItemColumn> h;
        for (const char* name : {"ucet", "cislo uctu", "protiucet", "ucet prijemce", "cislo uctu prijemce",
                                 "ve prospech uctu", "ve prospech uctu cislo", "iban", "ucet/kod banky"})
            h.insert(QLatin1String(name), ItemColumn::Account);
        for (const char* name : {"kod banky", "kod", "smerovy kod", "banka", "kod banky prijemce"})
            h.insert(QLatin1String(name), ItemColumn::BankCode);
        for (const char* name : {"castka", "castka kc", "castka czk", "platba", "suma", "castky plateb", "k uhrade"})
            h.insert(QLatin1String(name), ItemColumn::Amount);
        for (const char* name : {"vs", "variabilni symbol", "var symbol", "variabilni"})
            h.insert(QLatin1String(name), ItemColumn::VariableSymbol);
        for (const char* name : {"ks", "konstantni symbol", "konst symbol", "konstantni"})
            h.insert(QLatin1String(name), ItemColumn::ConstantSymbol);
        for (const char* name : {"ss", "specificky symbol", "spec symbol", "specificky"})
            h.insert(QLatin1String(name), ItemColumn::SpecificSymbol);
        for (const char* name : {"zprava", "komentar", "poznamka", "zprava pro prijemce", "popis", "ucel platby"})
            h.insert(QLatin1String(name), ItemColumn::Comment);
        return h;
    }();
    const auto it = kHeadings.constFind(HeadingKey(heading));
    if (it == kHeadings.cend())
        return std::nullopt;
    return *it;
}

int TableText::columnCount() const {
    qsizetype n = 0;
    for (const TableRow& row : rows)
        n = std::max(n, row.cells.size());
    return int(n);
}

TableText SplitTable(const QString& text) {
    TableText table;
    // Rows copied from an order file are item lines: their fields end in "|".
    table.separator = text.contains(u'\t')  ? QChar(u'\t')
                      : text.contains(u';') ? QChar(u';')
                      : text.contains(u'|') ? QChar(u'|')
                                            : QChar(u';');
    const QChar sep = table.separator;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto atLineEnd = [&](qsizetype k) { return k >= n || text[k] == u'\n' || text[k] == u'\r'; };
    auto skipLineEnd = [&] {
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n')
            ++i;
        ++line;
    };
    while (i < n) {
        TableRow row;
        row.line = line;
        for (;;) {
            QString cell;
            // Blanks before an opening quote belong to no cell.
            qsizetype start = i;
            while (start < n && text[start] == u' ')
                ++start;
            if (start < n && text[start] == u'"') {
                i = start + 1;
                bool closed = false;
                while (i < n) {
                    const QChar c = text[i];
                    if (c == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            cell.append(u'"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == u'\r' || c == u'\n') {
                        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                            ++i;
                        ++line;
                        cell.append(u' ');
                    } else {
                        cell.append(c);
                    }
                    ++i;
                }
                if (!closed)
                    row.unclosedQuote = true;
                // Whatever follows the closing quote up to the separator is kept, as spreadsheets do.
                while (i < n && text[i] != sep && !atLineEnd(i))
                    cell.append(text[i++]);
            } else {
                while (i < n && text[i] != sep && !atLineEnd(i))
                    cell.append(text[i++]);
            }
            row.cells.append(cell.trimmed());
            if (i < n && text[i] == sep) {
                ++i;
                continue;
            }
            break;
        }
        skipLineEnd();
        const bool blank =
            std::all_of(row.cells.cbegin(), row.cells.cend(), [](const QString& c) { return c.isEmpty(); });
        if (!blank || row.unclosedQuote)
            table.rows.push_back(row);
    }
    return table;
}

TableText SplitTableFile(const QByteArray& bytes, bool* utf8) {
    return SplitTable(DecodeBankListText(bytes, utf8));
}

TableColumns RecogniseColumns(const TableText& table) {
    TableColumns result;
    const int count = table.columnCount();
    result.columns = QList<ItemColumn>(count, ItemColumn::None);
    if (table.rows.empty())
        return result;
    const QStringList& first = table.rows.front().cells;
    QList<ItemColumn> named(count, ItemColumn::None);
    bool anyNamed = false;
    for (int c = 0; c < first.size(); ++c) {
        const std::optional<ItemColumn> column = ColumnOfHeading(first[c]);
        // A heading named twice counts once, at its first column.
        if (column && !named.contains(*column)) {
            named[c] = *column;
            anyNamed = true;
        }
    }
    if (anyNamed) {
        result.columns = named;
        result.header = true;
        return result;
    }
    // By position; "2171532/0100" in the first column is the account and the code at once.
    const bool withCode = !first.isEmpty() && LooksLikeAccountWithCode(first[0]);
    int position = 0;
    for (int c = 0; c < count && position < int(std::size(kByPosition)); ++c) {
        if (withCode && position == 1)
            ++position;
        result.columns[c] = kByPosition[position++];
    }
    return result;
}

std::optional<QString> NormaliseAmount(const QString& input) {
    QString text = input.trimmed();
    for (const char* currency : {"Kč", "Kc", "CZK", ",-", ".-"}) {
        const QString mark = QString::fromUtf8(currency);
        if (text.endsWith(mark, Qt::CaseInsensitive))
            text.chop(mark.size());
        if (text.startsWith(mark, Qt::CaseInsensitive) && mark.at(0).isLetter())
            text.remove(0, mark.size());
    }
    text = WithoutBlanks(text);
    text.remove(u'\'');
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(QChar(0x2212))) {
        negative = true;
        text.remove(0, 1);
    } else if (text.startsWith(u'+')) {
        text.remove(0, 1);
    }
    // The last of "," and "." is the decimal mark when both appear; one that appears more than once
    // groups thousands.
    const qsizetype comma = text.lastIndexOf(u',');
    const qsizetype dot = text.lastIndexOf(u'.');
    QChar decimal;
    if (comma >= 0 && dot >= 0)
        decimal = comma > dot ? QChar(u',') : QChar(u'.');
    else if (comma >= 0 && text.count(u',') == 1)
        decimal = u',';
    else if (dot >= 0 && text.count(u'.') == 1)
        decimal = u'.';
    QString whole;
    QString fraction;
    bool inFraction = false;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            (inFraction ? fraction : whole).append(c);
        else if (!decimal.isNull() && c == decimal && !inFraction)
            inFraction = true;
        else if ((c == u',' || c == u'.') && c != decimal && !inFraction)
            continue; // a thousands mark
        else
            return std::nullopt;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    if (whole.size() > 15)
        return std::nullopt;
    // Cents by the digits themselves, so that no binary fraction rounds them.
    qint64 cents = whole.toLongLong() * 100 + QStringView(fraction.leftJustified(2, u'0')).left(2).toLongLong();
    if (fraction.size() > 2) {
        const QStringView rest = QStringView(fraction).mid(2);
        const bool half =
            rest[0] == u'5' && std::all_of(rest.begin() + 1, rest.end(), [](QChar c) { return c == u'0'; });
        if (rest[0] > u'5' || (rest[0] == u'5' && !half) || (half && cents % 2 != 0))
            ++cents;
    }
    if (cents == 0)
        negative = false;
    return QStringLiteral("%1%2,%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(cents / 100)
        .arg(cents % 100, 2, 10, QLatin1Char('0'));
}

AccountAndCode SplitAccount(const QString& input) {
    const QString text = WithoutBlanks(input);
    if (text.size() >= 2 && text.at(0).isLetter() && text.at(1).isLetter()) {
        if (const std::optional<CzechIbanParts> iban = ParseCzechIban(text))
            return {iban->Account, iban->BankCode};
        return {text, {}};
    }
    const qsizetype slash = text.lastIndexOf(u'/');
    if (slash > 0)
        return {text.left(slash), text.mid(slash + 1)};
    return {text, {}};
}

std::vector<TableItem> ItemsOfTable(const TableText& table, const TableColumns& columns) {
    std::vector<TableItem> items;
    const auto column = [&](ItemColumn wanted) { return int(columns.columns.indexOf(wanted)); };
    const int account = column(ItemColumn::Account);
    const int code = column(ItemColumn::BankCode);
    for (std::size_t r = columns.header ? 1 : 0; r < table.rows.size(); ++r) {
        const TableRow& row = table.rows[r];
        TableItem out;
        out.line = row.line;
        auto cell = [&](int c) { return c >= 0 && c < row.cells.size() ? row.cells[c] : QString(); };
        QStringList problems;
        if (row.unclosedQuote)
            problems << QStringLiteral("uvozovky nejsou uzavřeny");
        OrderItem& item = out.item;
        if (account >= 0) {
            const AccountAndCode parts = SplitAccount(cell(account));
            item.Account = parts.Account;
            item.BankCode = parts.BankCode;
        }
        if (code >= 0 && !cell(code).isEmpty())
            item.BankCode = WithoutBlanks(cell(code));
        if (item.BankCode.size() < 4 && AllDigits(item.BankCode))
            item.BankCode = item.BankCode.rightJustified(4, u'0');
        const QString amount = cell(column(ItemColumn::Amount));
        if (!amount.isEmpty()) {
            if (const std::optional<QString> normalised = NormaliseAmount(amount))
                item.Amount = *normalised;
            else
                problems << QStringLiteral("částka „%1“ není číslo").arg(amount);
        }
        item.VariableSymbol = WithoutBlanks(cell(column(ItemColumn::VariableSymbol)));
        item.ConstantSymbol = WithoutBlanks(cell(column(ItemColumn::ConstantSymbol)));
        item.SpecificSymbol = WithoutBlanks(cell(column(ItemColumn::SpecificSymbol)));
        item.Comment = cell(column(ItemColumn::Comment));
        for (int f = 0; f <= kGridColumns; ++f) {
            QString problem = FieldProblem(item.field(f));
            if (!problem.isEmpty()) {
                problem[0] = problem.at(0).toLower();
                problem.chop(1); // its full stop; the dialog joins the reasons
                problems << problem;
            }
        }
        if (problems.isEmpty() && !item.isNonEmpty())
            problems << QStringLiteral("řádek neobsahuje nic z položky");
        out.problem = problems.join(QStringLiteral(", "));
        items.push_back(out);
    }
    return items;
}

// Rows from a spreadsheet or CSV text: rows come in the order of their lines and hold no line
// break; every column is recognised at most once; a row without a problem is an item the order file
// can hold, its amount in the editor's form (which it keeps when normalised again) and its bank code
// of four digits when it is digits; and its same-payment key is the one its saved line gives.
#include "FuzzSupport.h"
#include "common/Cp1250.h"
#include "order/DuplicateIndex.h"
#include "sheet/ItemTable.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QRegularExpression kAmount(QStringLiteral("^-?[0-9]+,[0-9][0-9]$"));
    const QByteArray bytes = Bytes(data, size);
    const TableText table = SplitTableFile(bytes);
    int previous = 0;
    for (const TableRow& row : table.rows) {
        FUZZ_REQUIRE(row.line > previous);
        previous = row.line;
        for (const QString& cell : row.cells)
            FUZZ_REQUIRE(!cell.contains(u'\n') && !cell.contains(u'\r') && cell == cell.trimmed());
    }

    const TableColumns columns = RecogniseColumns(table);
    FUZZ_REQUIRE(columns.columns.size() == table.columnCount());
    for (int k = 1; k < kItemColumnCount; ++k)
        FUZZ_REQUIRE(columns.columns.count(ItemColumn(k)) <= 1);

    const std::vector<TableItem> items = ItemsOfTable(table, columns);
    FUZZ_REQUIRE(items.size() == table.rows.size() - (columns.header && !table.rows.empty() ? 1 : 0));
    for (const TableItem& item : items) {
        if (!item.problem.isEmpty())
            continue;
        FUZZ_REQUIRE(item.item.isNonEmpty());
        for (int f = 0; f <= kGridColumns; ++f)
            FUZZ_REQUIRE(FieldProblem(item.item.field(f)).isEmpty());
        const QString& amount = item.item.Amount;
        if (!amount.isEmpty()) {
            FUZZ_REQUIRE(kAmount.match(amount).hasMatch());
            FUZZ_REQUIRE(NormaliseAmount(amount) == amount);
        }
        const QString& code = item.item.BankCode;
        if (!code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }) &&
            code.size() < 4)
            FUZZ_REQUIRE(false);
        const QByteArray line = Cp1250::Encode(RowText(item.item));
        FUZZ_REQUIRE(SamePaymentKey(item.item) == SamePaymentKeyOfLine(line));
    }

    // Any text as an amount: nothing, or the editor's form.
    if (const std::optional<QString> amount = NormaliseAmount(QString::fromUtf8(bytes.left(64))))
        FUZZ_REQUIRE(kAmount.match(*amount).hasMatch());
    return 0;
}

#include "dialogs/RowFill.h"

#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "dialogs/OrderHost.h"

#include <algorithm>

namespace {

QString RowList(const QList<int>& rows) {
    QStringList numbers;
    for (int r : rows)
        numbers << QString::number(r);
    return numbers.join(QStringLiteral(", "));
}

QString Items(qsizetype count) {
    return CzechFormat::CountOf(count, QStringLiteral("položka"), QStringLiteral("položky"), QStringLiteral("položek"));
}

} // namespace

int FillRowsAsking(OrderHost& host, int first, std::vector<OrderItem> items) {
    first = std::clamp(first, 0, kItemCount - 1);
    if (items.empty())
        return 0;
    const int room = kItemCount - first;
    if (int(items.size()) > room) {
        const QString text =
            QStringLiteral("Od řádku %1 se do příkazu vejde jen %2 z %3 (řádky %1 až %4). Chcete vložit jen "
                           "%5 a ostatní vynechat?")
                .arg(first + 1)
                .arg(room)
                .arg(Items(qsizetype(items.size())))
                .arg(kItemCount)
                .arg(room == 1 ? QStringLiteral("tuto jednu") : QStringLiteral("těchto %1").arg(room));
        if (QuestionBox(QString(), text, QuestionKind::Question) != Answer::Yes)
            return 0;
        items.resize(std::size_t(room));
    }
    QList<int> filled;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (host.order().Items[std::size_t(first) + i].isNonEmpty())
            filled << first + int(i) + 1;
    if (!filled.isEmpty()) {
        const QString text =
            (filled.size() == 1 ? QStringLiteral("Řádek %1 příkazu není prázdný. Chcete ho přepsat?")
                                : QStringLiteral("Řádky %1 příkazu nejsou prázdné. Chcete je přepsat?"))
                .arg(RowList(filled));
        if (QuestionBox(QString(), text, QuestionKind::Question) != Answer::Yes)
            return 0;
    }
    std::vector<std::pair<int, OrderItem>> rows;
    for (std::size_t i = 0; i < items.size(); ++i)
        rows.emplace_back(first + int(i), items[i]);
    host.SaveItems(rows);
    return int(items.size());
}

bool FillRowsFrom(OrderHost& host, int start, const std::vector<OrderItem>& items) {
    if (items.empty())
        return false;
    const auto& rows = host.order().Items;
    std::vector<std::pair<int, OrderItem>> targets;
    targets.emplace_back(start, items.front());
    for (int r = start + 1; r < int(rows.size()) && targets.size() < items.size(); ++r)
        if (!rows[size_t(r)].isNonEmpty())
            targets.emplace_back(r, items[targets.size()]);
    if (targets.size() < items.size()) {
        InfoBox(QStringLiteral("Označené platby se do příkazu nevejdou: jsou %1, ale od řádku %2 jsou volné jen %3. "
                               "Zrušte označení některých plateb nebo vyberte v příkazu řádek výše.")
                    .arg(CzechFormat::CountOf(qint64(items.size()), QStringLiteral("platba"), QStringLiteral("platby"),
                                              QStringLiteral("plateb")))
                    .arg(start + 1)
                    .arg(CzechFormat::CountOf(qint64(targets.size()), QStringLiteral("řádek"), QStringLiteral("řádky"),
                                              QStringLiteral("řádků"))));
        return false;
    }
    if (rows[size_t(start)].isNonEmpty() &&
        QuestionBox(
            QString(),
            QStringLiteral("Řádek %1 příkazu není prázdný. Chcete ho přepsat platbou z faktury?").arg(start + 1),
            QuestionKind::Question) != Answer::Yes)
        return false;
    host.SaveItems(targets);
    return true;
}

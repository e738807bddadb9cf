#include "dialogs/RowFill.h"

#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "dialogs/OrderHost.h"

#include <algorithm>

void OrderHost::SaveItems(int first, const std::vector<OrderItem>& items) {
    std::vector<OrderItem> before;
    for (std::size_t i = 0; i < items.size(); ++i)
        before.push_back(order().Items[std::size_t(first) + i]);
    std::size_t done = 0;
    try {
        for (; done < items.size(); ++done)
            SaveItem(first + int(done), items[done]);
    } catch (...) {
        for (std::size_t i = 0; i < done; ++i)
            SaveItem(first + int(i), before[i]);
        throw;
    }
}

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
    host.SaveItems(first, items);
    return int(items.size());
}

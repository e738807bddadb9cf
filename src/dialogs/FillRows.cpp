#include "dialogs/FillRows.h"

#include "common/CzechFormat.h"
#include "common/Dialogs.h"
#include "dialogs/OrderHost.h"

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

#include "order/OrderSummary.h"

#include "common/Error.h"
#include "order/OrderReader.h"

#include <cstring>

namespace {

// The third field of a line split at every "|", the text after the last one counting as well;
// empty when the line has fewer fields.
QByteArrayView ThirdField(QByteArrayView line) {
    const char* p = line.data();
    const char* end = p + line.size();
    for (int k = 0; k < 2; ++k) {
        const auto* bar = p < end ? static_cast<const char*>(std::memchr(p, '|', std::size_t(end - p))) : nullptr;
        if (!bar)
            return {};
        p = bar + 1;
    }
    const auto* bar = p < end ? static_cast<const char*>(std::memchr(p, '|', std::size_t(end - p))) : nullptr;
    return QByteArrayView(p, (bar ? bar : end) - p);
}

} // namespace

OrderSummary SummariseOrderFile(const OrderFileReader& file) {
    OrderSummary summary;
    summary.date = file.date();
    QByteArray amount;
    for (int i = OrderFileReader::kMinLines; i < file.lineCount(); ++i) {
        const QByteArrayView line = file.line(i);
        if (line.size() <= 7)
            continue;
        ++summary.count;
        amount = ThirdField(line).toByteArray();
        if (amount.isEmpty())
            amount = "0";
        amount.replace('.', ',');
        const std::optional<double> value = OrderFileReader::Number(amount);
        if (!value)
            throw VelorinError(
                QStringLiteral("částka „%1“ na řádku %2 není číslo").arg(OrderFileReader::Decode(amount)).arg(i + 1));
        summary.sum += *value;
    }
    return summary;
}

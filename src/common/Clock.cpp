#include "common/Clock.h"

namespace {
std::optional<QDate>& FixedDay() {
    static std::optional<QDate> day;
    return day;
}
} // namespace

namespace Clock {

QDate Today() {
    return FixedDay() ? *FixedDay() : QDate::currentDate();
}

SeamGuard SetToday(std::optional<QDate> day) {
    SeamGuard guard([before = FixedDay()] { FixedDay() = before; });
    FixedDay() = day;
    return guard;
}

} // namespace Clock

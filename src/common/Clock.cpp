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

void SetToday(std::optional<QDate> day) {
    FixedDay() = day;
}

} // namespace Clock

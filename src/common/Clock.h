#pragma once

#include <QDate>
#include <optional>

// The one source of "today", so that tests of dates never depend on the day they run.
namespace Clock {
QDate Today();
// Tests fix the day; std::nullopt returns to the system clock.
void SetToday(std::optional<QDate> day);
} // namespace Clock

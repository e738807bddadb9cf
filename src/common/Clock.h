#pragma once

#include "common/SeamGuard.h"

#include <QDate>
#include <optional>

// The one source of "today", so that tests of dates never depend on the day they run.
namespace Clock {
QDate Today();
// Tests fix the day (std::nullopt: the system clock) until the guard goes.
SeamGuard SetToday(std::optional<QDate> day);
} // namespace Clock

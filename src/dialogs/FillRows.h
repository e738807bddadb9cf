#pragma once

#include "order/PaymentOrder.h"

#include <vector>

class OrderHost;

// Puts several items into the order at once: the first into row start, the others into the empty
// rows after it, in order. Asks once before a non-empty row is overwritten, says so when the items
// do not fit, and saves the order once. True when the rows were written.
bool FillRowsFrom(OrderHost& host, int start, const std::vector<OrderItem>& items);

#pragma once

#include "order/PaymentOrder.h"

#include <vector>

class OrderHost;

// Fills the open order's rows from first (from 0) on with items and saves once. When not all of
// them fit into the 16 rows it says how many do and fills those only if the user agrees; before it
// overwrites a non-empty row it asks once for all of them. Returns the number of rows filled, 0 when
// the user declined either question (nothing is changed then).
int FillRowsAsking(OrderHost& host, int first, std::vector<OrderItem> items);

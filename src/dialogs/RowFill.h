#pragma once

#include "order/PaymentOrder.h"

#include <vector>

class OrderHost;

// The two ways several items enter the open order; both save once through OrderHost::SaveItems.

// Spreadsheet rows: fills the open order's rows from first (from 0) on with items and saves once. When not all of
// them fit into the 16 rows it says how many do and fills those only if the user agrees; before it
// overwrites a non-empty row it asks once for all of them. Returns the number of rows filled, 0 when
// the user declined either question (nothing is changed then).
int FillRowsAsking(OrderHost& host, int first, std::vector<OrderItem> items);

// Payments from invoices: puts several items into the order at once: the first into row start, the others into the
// empty rows after it, in order. Asks once before a non-empty row is overwritten, says so when the items do not fit,
// and saves the order once. True when the rows were written.
bool FillRowsFrom(OrderHost& host, int start, const std::vector<OrderItem>& items);

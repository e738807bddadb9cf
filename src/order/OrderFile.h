#pragma once

#include "order/PaymentOrder.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace OrderFile {

inline constexpr int kLineCount = 21;

// The 21 lines of the file: bank data, date, 16 row texts. Throws VelorinError when a field
// holds "|", a line break or a character Windows-1250 cannot hold, naming the row and column.
QStringList BuildLines(const PaymentOrder& order);

// Writes order.Bank, order.OrderDate and the rows to path, atomically. Throws VelorinError
// naming the file; on failure the old file stays as it was.
void Save(const PaymentOrder& order, const QString& path);

// Reads a whole order file into a fresh order (Bank, OrderDate, Items, FilePath = path).
// Throws VelorinError naming the file when it cannot be read or has fewer than 21 lines.
// extraLines, when given, takes the number of lines after line 21, which the order does not hold
// and a save drops; blank lines at the end are not counted, as dropping them loses nothing.
PaymentOrder Load(const QString& path, qsizetype* extraLines = nullptr);

// "*.ppu" ordinary files of folder (no hidden ones), in ascending order of name. idle is called
// after each file so that the UI can serve its events. Only reads the folder.
QStringList ListOrderFiles(const QString& folder, const std::function<void()>& idle = {});

// The name (with ".ppu") for a new order in folder: year followed by "001" in an empty folder,
// otherwise the highest number among the names plus one, skipping names already there. Throws
// VelorinError naming the folder when it cannot be read or no number can be formed.
QString NextOrderFileName(const QString& folder, int year, const std::function<void()>& idle = {});

// Writes order into a new file of folder named by NextOrderFileName and returns its path. A name
// taken after the naming (by another running copy, say) is left alone and the next number is tried.
// Never replaces a file. Throws VelorinError naming the folder or the file.
QString CreateNew(const PaymentOrder& order, const QString& folder, int year, const std::function<void()>& idle = {});

} // namespace OrderFile

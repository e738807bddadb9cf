#pragma once

#include "abo/AboProfile.h"
#include "order/PaymentOrder.h"
#include "order/Settings.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// The ABO text of an order: the fixed-width format Czech banks take for domestic payment orders.
// Lines are plain texts; the caller writes them in Windows-1250 with CR LF.

// The 17 characters of an ABO account: six prefix digits, "-", ten number digits.
QString AboAccount(const QString& account);

// The amount text in whole halers, rounded half away from zero ("12,5" gives 1250); std::nullopt
// when the text is no number, is negative or does not fit the 12 digits of an item record.
std::optional<qint64> AboHalers(const QString& amount);
// AboHalers as digits; an empty text when it has none.
QString AboAmount(const QString& amount);

// Why no ABO file can be made of the order, as the Czech message for the user; an empty text when
// it can. The payer's bank data are those of settings (the one set the main window holds).
QString AboExportProblem(const PaymentOrder& order, const Settings& settings);

// The whole ABO text: one valid item gives the one-item layout, any other count the several-items
// layout. Throws VelorinError when the order date is no date; other fields are written filled or cut.
QStringList BuildAboText(const PaymentOrder& order, const Settings& settings, bool attachComments);
// The same in a bank's profile, with transliteration and the file's number of the day.
QStringList BuildAboText(const PaymentOrder& order, const Settings& settings, const AboOptions& options);

// The message for the payee that an item record carries after the profile's marker: the comment,
// in ASCII when asked, cut to its first 35 characters.
QString AboMessage(const QString& comment, bool ascii);
// With "Bez diakritiky" on, what the file spells out or replaces in the client name and the
// attached comments (see AsciiReplacements); empty with the option off.
QStringList AboAsciiReplacements(const PaymentOrder& order, const Settings& settings, const AboOptions& options);

#pragma once

#include <QtGlobal>

// The largest file each whole-file read takes. Real files are far smaller; the caps keep a wrong
// file (a disk image, a log) from filling the memory.

// Orders, settings, presets and text listings: a year of orders is a few megabytes in all.
inline constexpr qint64 kMaxTextFileBytes = 16 * 1024 * 1024;
// A bank list the user loads: the Czech National Bank's has a few kilobytes.
inline constexpr qint64 kMaxBankListBytes = 1024 * 1024;
// A saved prepared report: a long overview with its pictures, compressed.
inline constexpr qint64 kMaxPreparedReportBytes = 256 * 1024 * 1024;

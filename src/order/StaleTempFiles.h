#pragma once

#include <QDateTime>
#include <QString>

// A save writes "2026001.ppu.~b12Cd" beside the order and renames it; a program killed in between
// leaves that file behind. Such files of folder last changed more than a minute before now are
// removed (younger ones may belong to a save still running). Returns how many were removed.
int RemoveStaleTempFiles(const QString& folder, const QDateTime& now);

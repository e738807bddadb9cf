#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Raw bytes on disk, for tests that check what the program really wrote: "<missing>" for a file
// that cannot be read, so that a missing file never equals an empty one.
QByteArray ReadAll(const QString& path);
// Writes bytes as the whole file; fails the test when it cannot.
void WriteRaw(const QString& path, const QByteArray& bytes);
// Everything in folder, hidden entries too, by name.
QStringList AllEntries(const QString& folder);

#pragma once

#include <QByteArray>
#include <QString>

#include "TestFiles.h" // AllEntries

// Sets the last change of a file, folder or link (the link itself) ageSeconds into the past.
void SetAge(const QString& path, int ageSeconds);
void WriteAged(const QString& path, int ageSeconds, const QByteArray& bytes = "x");

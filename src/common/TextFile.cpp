#include "common/TextFile.h"

#include "common/Cp1250.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

namespace TextFile {

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VelorinError(QStringLiteral("Soubor %1 nelze načíst: %2").arg(Shown(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw VelorinError(QStringLiteral("Soubor %1 nelze načíst: %2").arg(Shown(path), file.errorString()));
    return SplitLines(Cp1250::Decode(bytes));
}

void WriteLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        try {
            bytes += Cp1250::Encode(line);
        } catch (const VelorinError& e) {
            throw VelorinError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), e.message()));
        }
        bytes += "\r\n";
    }
    WriteBytes(path, bytes);
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw VelorinError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw VelorinError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), reason));
    }
    if (!file.commit())
        throw VelorinError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(Shown(path), file.errorString()));
}

} // namespace TextFile

#include "order/StaleTempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

int RemoveStaleTempFiles(const QString& folder, const QDateTime& now) {
    // The suffix of the whole-file write: a dot, a tilde and five letters or digits after the order's name.
    static const QRegularExpression temp(QStringLiteral("^.+\\.ppu\\.~[A-Za-z0-9]{5}$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QDateTime limit = now.addSecs(-60);
    int removed = 0;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral("*.ppu.??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !temp.match(entry.fileName()).hasMatch() || entry.lastModified() >= limit)
            continue;
        if (QFile::remove(entry.filePath()))
            ++removed;
    }
    return removed;
}

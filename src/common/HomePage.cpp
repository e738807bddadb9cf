#include "common/HomePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString& ExecutableFolderSeam() {
    static QString folder;
    return folder;
}

} // namespace

namespace HomePage {

QString AboutText() {
    return QStringLiteral("není; příručka je součástí programu (F1)");
}

QString ManualIndexBeside(const QString& executableFolder) {
    return QDir::cleanPath(executableFolder + QStringLiteral("/napoveda/index.html"));
}

QString ManualIndexFor(const QString& executableFolder) {
    // Outside /usr/share/doc: a package must work without that folder, which slim systems leave out.
    for (const QString& path :
         {ManualIndexBeside(executableFolder),
          QDir::cleanPath(executableFolder + QStringLiteral("/../share/velorin/napoveda/index.html"))}) {
        if (QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return {};
}

QString ExecutableFolder() {
    const QString& seam = ExecutableFolderSeam();
    return seam.isEmpty() ? QCoreApplication::applicationDirPath() : seam;
}

SeamGuard SetExecutableFolder(const QString& folder) {
    SeamGuard guard([before = ExecutableFolderSeam()] { ExecutableFolderSeam() = before; });
    ExecutableFolderSeam() = folder;
    return guard;
}

} // namespace HomePage

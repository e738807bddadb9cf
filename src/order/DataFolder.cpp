#include "order/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString WithSlash(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

bool CanCreateFilesIn(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    // open() creates the file exclusively; the destructor removes it.
    QTemporaryFile probe(WithSlash(folder) + QStringLiteral(".velorin-probe-XXXXXX"));
    return probe.open();
}

bool IsInstalledTree(const QString& executableFolder) {
    if (executableFolder.isEmpty())
        return false;
    return QFileInfo::exists(WithSlash(executableFolder) + QStringLiteral("../share/applications/velorin.desktop"));
}

QString ChooseProgramFolder(const QString& executableFolder, const QString& dataFolder,
                            const FolderProbe& canCreateFiles) {
    if (dataFolder.isEmpty() || (!IsInstalledTree(executableFolder) && canCreateFiles(executableFolder)))
        return WithSlash(executableFolder);
    // A failure shows later, when the first file cannot be written, with that file's name.
    QDir().mkpath(dataFolder);
    return WithSlash(dataFolder);
}

QString ProgramFolderOfRun() {
    return ChooseProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

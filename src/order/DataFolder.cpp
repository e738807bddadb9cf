#include "order/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
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

namespace {

// The first year folder (four digits) of folder with an order file in it; empty when none.
QString FirstYearWithOrders(const QString& folder) {
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("[0-9][0-9][0-9][0-9]")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        // The first order is enough: a year of thousands is not listed whole.
        if (QDirIterator(dir.filePath(name), {QStringLiteral("*.ppu")}, QDir::Files).hasNext())
            return name;
    }
    return {};
}

} // namespace

QString FilesElsewhereNotice(const QString& executableFolder, const QString& programFolder,
                             const FolderProbe& canCreateFiles) {
    const QString exe = WithSlash(executableFolder);
    if (exe.isEmpty() || WithSlash(programFolder) == exe || canCreateFiles(executableFolder))
        return {};
    const QString year = FirstYearWithOrders(exe);
    if (year.isEmpty())
        return {};
    return QStringLiteral("Složka programu %1 není zapisovatelná; příkazy se ukládají do %2.\r\n"
                          "Dřívější příkazy zůstávají ve složce programu; chcete-li s nimi dál pracovat, "
                          "zkopírujte složky let (například %3) do %2.")
        .arg(QDir::toNativeSeparators(exe), QDir::toNativeSeparators(WithSlash(programFolder)), year);
}

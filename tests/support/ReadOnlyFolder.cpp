#include "ReadOnlyFolder.h"

#include <QFile>
#include <QProcess>
#include <unistd.h>

ReadOnlyFolder::ReadOnlyFolder(const QString& folder) : m_folder(folder) {
    if (geteuid() != 0)
        m_chmod = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    else
        m_chattr = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
    m_ok = (m_chmod || m_chattr) && !canWrite();
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (m_chattr)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_folder});
    if (m_chmod)
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool ReadOnlyFolder::canWrite() const {
    QFile f(m_folder + QStringLiteral("/.write-check"));
    const bool opened = f.open(QIODevice::WriteOnly);
    if (opened)
        f.remove();
    return opened;
}

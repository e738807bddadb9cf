#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

// Makes a folder really read-only for the life of the object: chmod for an ordinary user, `chattr +i`
// for root (who ignores permission bits). Where neither works (root on a file system without
// attributes), ok() is false and the test falls back to a seam.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : m_folder(folder) {
        if (geteuid() != 0)
            m_chmod = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        else
            m_chattr = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
        m_ok = (m_chmod || m_chattr) && !canWrite();
    }
    ~ReadOnlyFolder() {
        if (m_chattr)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_folder});
        if (m_chmod)
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ok() const { return m_ok; }

private:
    // Checked independently of the code under test.
    bool canWrite() const {
        QFile f(m_folder + QStringLiteral("/.write-check"));
        const bool opened = f.open(QIODevice::WriteOnly);
        if (opened)
            f.remove();
        return opened;
    }

    QString m_folder;
    bool m_chmod = false;
    bool m_chattr = false;
    bool m_ok = false;
};

#pragma once

#include <QString>

// Makes a folder really read-only for the life of the object: chmod for an ordinary user, `chattr +i`
// for root (who ignores permission bits). Where neither works (root on a file system without
// attributes), ok() is false and the test falls back to a seam.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ok() const { return m_ok; }

private:
    // Checked independently of the code under test.
    bool canWrite() const;

    QString m_folder;
    bool m_chmod = false;
    bool m_chattr = false;
    bool m_ok = false;
};

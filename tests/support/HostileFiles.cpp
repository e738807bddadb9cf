#include "HostileFiles.h"

#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool MakeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

bool IsFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

Watchdog::Watchdog(QStringList fifos, int seconds) : m_fifos(std::move(fifos)), m_seconds(seconds) {
    m_thread = std::thread([this] { watch(); });
}

Watchdog::~Watchdog() {
    {
        const std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void Watchdog::watch() {
    std::unique_lock lock(m_mutex);
    if (m_wake.wait_for(lock, std::chrono::seconds(m_seconds), [this] { return m_done; }))
        return;
    m_expired = true;
    std::fprintf(stderr, "FAIL: blocked for %d s; waking the readers of the pipes\n", m_seconds);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(m_seconds);
    while (!m_wake.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_done; })) {
        for (const QString& fifo : m_fifos) {
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
        if (std::chrono::steady_clock::now() > giveUp) {
            std::fprintf(stderr, "FAIL: still blocked after %d s more; ending the test program\n", m_seconds);
            std::_Exit(1);
        }
    }
}

MemoryCap::MemoryCap(long long marginBytes) {
    m_ok = ::getrlimit(RLIMIT_AS, &m_old) == 0;
    long long pages = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld", &pages) != 1)
            pages = 0;
        std::fclose(f);
    }
    if (!m_ok || pages <= 0)
        return;
    rlimit cap = m_old;
    const rlim_t wanted = rlim_t(pages * ::sysconf(_SC_PAGESIZE) + marginBytes);
    if (m_old.rlim_cur == RLIM_INFINITY || wanted < m_old.rlim_cur)
        cap.rlim_cur = wanted;
    m_ok = ::setrlimit(RLIMIT_AS, &cap) == 0;
}

MemoryCap::~MemoryCap() {
    if (m_ok)
        ::setrlimit(RLIMIT_AS, &m_old);
}

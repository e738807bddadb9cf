#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Files that are not regular files, for the tests that a read refuses them: real named pipes and
// links to devices. A read that blocks on one must fail the test, not hang it.

inline bool MakeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

inline bool IsFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// Watches the test body. Once the time is up it marks itself expired and keeps opening the given
// pipes for writing and closing them again, which wakes a reader blocked on one (it reads an empty
// file), so that the test goes on and fails on expired(). What stays blocked all the same ends the
// process after as long again.
class Watchdog {
public:
    explicit Watchdog(QStringList fifos, int seconds = 10) : m_fifos(std::move(fifos)), m_seconds(seconds) {
        m_thread = std::thread([this] { watch(); });
    }
    ~Watchdog() {
        {
            const std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    bool expired() const { return m_expired; }

private:
    void watch() {
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

    QStringList m_fifos;
    int m_seconds;
    std::atomic<bool> m_expired{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

// Keeps the address space of the process to what it uses now plus a margin, so that a read that
// never ends (from /dev/zero) fails with bad_alloc instead of taking the machine's memory.
class MemoryCap {
public:
    explicit MemoryCap(long long marginBytes = 1LL << 30) {
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
    ~MemoryCap() {
        if (m_ok)
            ::setrlimit(RLIMIT_AS, &m_old);
    }
    MemoryCap(const MemoryCap&) = delete;
    MemoryCap& operator=(const MemoryCap&) = delete;

private:
    rlimit m_old{};
    bool m_ok = false;
};

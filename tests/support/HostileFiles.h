#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <sys/resource.h>
#include <thread>

// Files that are not regular files, for the tests that a read refuses them: real named pipes and
// links to devices. A read that blocks on one must fail the test, not hang it.

bool MakeFifo(const QString& path);
bool IsFifo(const QString& path);

// Watches the test body. Once the time is up it marks itself expired and keeps opening the given
// pipes for writing and closing them again, which wakes a reader blocked on one (it reads an empty
// file), so that the test goes on and fails on expired(). What stays blocked all the same ends the
// process after as long again.
class Watchdog {
public:
    explicit Watchdog(QStringList fifos, int seconds = 10);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    bool expired() const { return m_expired; }

private:
    void watch();

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
    explicit MemoryCap(long long marginBytes = 1LL << 30);
    ~MemoryCap();
    MemoryCap(const MemoryCap&) = delete;
    MemoryCap& operator=(const MemoryCap&) = delete;

private:
    rlimit m_old{};
    bool m_ok = false;
};

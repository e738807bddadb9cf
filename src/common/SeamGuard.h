#pragma once

#include <functional>
#include <utility>

// What a test seam's setter returns: it puts the seam back as it was before the call when it goes
// out of scope, so that a check failing half way through a test cannot leave the seam set for the
// next one. Dropping it at once would undo the call, hence [[nodiscard]].
class [[nodiscard]] SeamGuard {
public:
    SeamGuard() = default;
    explicit SeamGuard(std::function<void()> restore) : m_restore(std::move(restore)) {}
    SeamGuard(SeamGuard&& other) noexcept : m_restore(std::exchange(other.m_restore, {})) {}
    SeamGuard& operator=(SeamGuard&& other) noexcept {
        if (this != &other) {
            restore();
            m_restore = std::exchange(other.m_restore, {});
        }
        return *this;
    }
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;
    ~SeamGuard() { restore(); }

    // Puts the seam back now; later calls and the destructor do nothing.
    void restore() {
        if (auto undo = std::exchange(m_restore, {}))
            undo();
    }

private:
    std::function<void()> m_restore;
};

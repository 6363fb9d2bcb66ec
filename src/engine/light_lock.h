#pragma once

#include <mutex>

namespace korvex {

// The small lock of the packet buffers: one recursive mutex, so a locked operation may call
// another locked operation of the same object. Holders never wait on anything while they hold
// it. Const operations lock too, hence the mutable mutex.
class light_lock {
public:
    light_lock() = default;
    virtual ~light_lock() = default;
    light_lock(const light_lock&) = delete;
    light_lock& operator=(const light_lock&) = delete;

    void Enter() const { mutex_.lock(); }
    // True only when the lock was taken.
    bool TryEnter() const { return mutex_.try_lock(); }
    void Leave() const { mutex_.unlock(); }

    // Holds the lock for the lifetime of the scope.
    class Scope {
    public:
        explicit Scope(const light_lock& lock) : lock_(lock) { lock_.Enter(); }
        ~Scope() { lock_.Leave(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        const light_lock& lock_;
    };

private:
    mutable std::recursive_mutex mutex_;
};

} // namespace korvex

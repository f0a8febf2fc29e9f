#pragma once
#include <windows.h>

namespace pawlet {

// A slim reader/writer lock used exclusively. Not a std::mutex: with MinGW's posix threads that
// is a winpthreads mutex, and the process's end (ExitProcess from inside nested handlers) must
// not depend on winpthreads' state in a thread the system has just killed.
class ExclusiveLock {
public:
    ExclusiveLock() = default;
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

    class Held {
    public:
        explicit Held(ExclusiveLock& lock) : lock_(lock.lock_) { AcquireSRWLockExclusive(&lock_); }
        ~Held() { ReleaseSRWLockExclusive(&lock_); }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;

    private:
        SRWLOCK& lock_;
    };

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace pawlet

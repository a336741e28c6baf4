#pragma once

// Counts what must never happen on the audio thread: heap allocations and frees, mutex locks
// and file or console I/O. The test binary that links RealtimeGuard.cpp routes malloc & co.
// (linker --wrap), operator new/delete, pthread locking and stdio/POSIX writes through
// counters that only count on a thread inside a RealtimeGuard::Scope.
namespace RealtimeGuard
{
struct Counts
{
    long allocations = 0;
    long deallocations = 0;
    long locks = 0;
    long io = 0;

    bool clean() const noexcept { return allocations == 0 && deallocations == 0 && locks == 0 && io == 0; }
};

// Counting is on for the calling thread while a Scope lives.
class Scope
{
public:
    Scope();
    ~Scope();
    Counts counts() const;

    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

// CMake helper: the linker options the binary needs are in tests/common/RealtimeGuard.cmake.
} // namespace RealtimeGuard

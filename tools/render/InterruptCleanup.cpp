#include "InterruptCleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>

#if JUCE_WINDOWS
# include <io.h>
# define TARVOLT_UNLINK _unlink
#else
# include <unistd.h>
# define TARVOLT_UNLINK unlink
#endif

namespace
{
// A signal handler may only do async-signal-safe work: it reads fixed buffers (no allocation, no
// lock) and calls unlink().
struct Slot
{
    std::atomic<bool> used{false};
    char path[4096] = {};
};

std::array<Slot, 256> slots; // more writers than this at once are not registered
std::mutex slotAllocation;   // between threads registering files; never taken by the handler

extern "C" void removeTemporariesAndEnd(int signal)
{
    for (auto& slot : slots)
        if (slot.used.load(std::memory_order_acquire))
            TARVOLT_UNLINK(slot.path);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
} // namespace

void RemovedOnInterrupt::installHandlers()
{
    std::signal(SIGINT, removeTemporariesAndEnd);
    std::signal(SIGTERM, removeTemporariesAndEnd);
}

RemovedOnInterrupt::RemovedOnInterrupt(const juce::File& file)
{
    const auto path = file.getFullPathName().toStdString();
    if (path.size() >= sizeof(Slot::path))
        return; // too long to register; an interrupt leaves it behind
    const std::lock_guard<std::mutex> lock(slotAllocation);
    for (size_t i = 0; i < slots.size(); ++i)
        if (!slots[i].used.load(std::memory_order_relaxed))
        {
            std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
            slots[i].used.store(true, std::memory_order_release);
            slot = (int) i;
            return;
        }
}

RemovedOnInterrupt::~RemovedOnInterrupt()
{
    if (slot >= 0)
        slots[(size_t) slot].used.store(false, std::memory_order_release);
}

#pragma once

// Offline hosts often hand a plug-in one block after another of a long recording, so a block's
// output lands on memory the processor has not written lately, now and then on a page whose
// address it has not looked up yet. Announcing the writes to a buffer's first and last sample
// before the work starts lets that look-up and the fetch of those lines run alongside the
// shaping, instead of holding up its stores. A buffer the host reuses is at hand already, and
// then this costs two instructions.
namespace writeAhead
{
// n > 0 samples from data on.
inline void announce(float* data, int n) noexcept
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(data, 1);
    __builtin_prefetch(data + n - 1, 1);
#else
    (void) data;
    (void) n;
#endif
}
} // namespace writeAhead

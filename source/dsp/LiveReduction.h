#pragma once

// The transient amounts of a stretch whose output did not go through the shaping loop (power or
// mix at 0), for the live view: shaper::transientFromEnvelopes of each of n samples, into T.
namespace liveReduction
{
void transientAmounts(const float* fast, const float* slow, const float* sensitivity, float modeScale, float* T,
                      int n) noexcept;
} // namespace liveReduction

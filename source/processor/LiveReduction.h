#pragma once

#include "processor/LiveSummary.h"

// One shaped stretch of audio as the shaper hands it to the live view's feed: up to two channels
// of input (finite) and output, and the envelopes and controls the transient amount of each
// sample comes from.
struct LiveStretch
{
    int numChannels = 0; // 1 or 2
    int numSamples = 0;  // 1 to ControlBlock::maxSamples
    int latency = 0;     // how many samples the output comes behind the input
    const float* input[2]{};
    const float* output[2]{};
    const float* fast[2]{};
    const float* slow[2]{};
    const float* sensitivity = nullptr; // the sensitivity control of each sample (0..1)
    float modeScale = 1.0f;
};

namespace liveReduction
{
// The transient amount is taken at every transientStride-th sample, counted back from the
// stretch's last: the envelopes it comes from move smoothly (their fastest attack takes 0.3 ms), so
// its peak is broad and a sample every 32 (0.7 ms at 48 kHz) finds it to within a few per cent,
// at a small share of the cost of every sample.
inline constexpr int transientStride = 32;

// The summary of a stretch: the smallest and largest input and output sample of its channels,
// every sample, and the largest transient amount (shaper::transientFromEnvelopes) of any channel
// at the samples taken. The stretch's latency plays no part here.
LiveSummary summarise(const LiveStretch& stretch) noexcept;
} // namespace liveReduction

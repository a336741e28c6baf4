#pragma once

#include "processor/LiveSummary.h"

// One shaped stretch of audio as the shaper hands it to the live view's feed: up to two
// channels of input (finite) and output, and the envelopes and controls the transient amount of
// each sample comes from.
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
// The summary of a stretch, taken sample for sample: the smallest and largest input and output
// value over its channels and the largest transient amount (shaper::transientFromEnvelopes) of
// any channel and sample. The stretch's latency plays no part here. The loop is built for the
// same instruction sets as the shaping loops, and runs the one they use.
LiveSummary summarise(const LiveStretch& stretch) noexcept;
} // namespace liveReduction

#pragma once

#include "processor/ControlBlock.h"
#include "processor/FastMath.h"
#include "processor/LiveSummary.h"
#include "processor/ShapingKernels.h"

// One shaped stretch of audio as the shaper hands it to the live view's feed: for each of up to
// two channels, the ranges of input and output and the largest transient amount, which the
// shaper's passes find on their way (shaping::Tap). When the output comes late (High quality),
// the input's range is that of the input as late as the output, so that both show a hit at the
// same moment.
struct LiveStretch
{
    int numChannels = 0; // 1 or 2
    int numSamples = 0;  // 1 to ControlBlock::maxSamples
    shaping::Tap channels[2];
};

namespace liveReduction
{
// The summary of a stretch: the smallest and largest input and output sample of its channels and
// the largest transient amount of any channel.
inline LiveSummary summarise(const LiveStretch& s) noexcept
{
    const int numChannels = std::min(s.numChannels, 2);
    const int n = std::min(s.numSamples, ControlBlock::maxSamples);
    if (numChannels <= 0 || n <= 0)
        return {};

    LiveSummary summary;
    summary.numSamples = n;
    for (int ch = 0; ch < numChannels; ++ch)
    {
        const auto& input = s.channels[ch].input;
        const auto& output = s.channels[ch].output;
        summary.inputMin = ch == 0 ? input.lowest : std::min(summary.inputMin, input.lowest);
        summary.inputMax = ch == 0 ? input.highest : std::max(summary.inputMax, input.highest);
        summary.outputMin = ch == 0 ? output.lowest : std::min(summary.outputMin, output.lowest);
        summary.outputMax = ch == 0 ? output.highest : std::max(summary.outputMax, output.highest);
        summary.transient = std::max(summary.transient, s.channels[ch].transient);
    }
    return summary;
}

// The largest transient amount (shaper::transientFromEnvelopes) of n samples, for a stretch whose
// output did not go through the shaping loop (power or mix at 0).
float largestTransient(const float* fast, const float* slow, const float* sensitivity, float modeScale,
                       int n) noexcept;
} // namespace liveReduction

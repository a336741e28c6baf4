#include "processor/LiveReduction.h"

#include "processor/ControlBlock.h"
#include "processor/ShaperCore.h"

#include <juce_audio_basics/juce_audio_basics.h>

LiveSummary liveReduction::summarise(const LiveStretch& s) noexcept
{
    const int numChannels = std::min(s.numChannels, 2);
    const int n = std::min(s.numSamples, ControlBlock::maxSamples);
    if (numChannels <= 0 || n <= 0)
        return {};

    LiveSummary summary;
    summary.numSamples = n;
    for (int ch = 0; ch < numChannels; ++ch)
    {
        // The framework's vectorised search, a handful of instructions per sample.
        const auto input = juce::FloatVectorOperations::findMinAndMax(s.input[ch], n);
        const auto output = juce::FloatVectorOperations::findMinAndMax(s.output[ch], n);
        summary.inputMin = ch == 0 ? input.getStart() : std::min(summary.inputMin, input.getStart());
        summary.inputMax = ch == 0 ? input.getEnd() : std::max(summary.inputMax, input.getEnd());
        summary.outputMin = ch == 0 ? output.getStart() : std::min(summary.outputMin, output.getStart());
        summary.outputMax = ch == 0 ? output.getEnd() : std::max(summary.outputMax, output.getEnd());

        const float* fast = s.fast[ch];
        const float* slow = s.slow[ch];
        for (int i = n - 1; i >= 0; i -= transientStride)
            summary.transient = std::max(summary.transient,
                                         shaper::transientFromEnvelopes(fast[i], slow[i], s.sensitivity[i], s.modeScale));
    }
    return summary;
}

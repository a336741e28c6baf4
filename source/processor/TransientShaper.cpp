#include "processor/TransientShaper.h"

#include "processor/EnvelopePass.h"
#include "processor/FastMath.h"
#include "processor/ShapingKernels.h"

#include <limits>

namespace
{
constexpr auto modeParameter = (size_t) parameterIndex(ParameterIDs::mode);
constexpr auto focusParameter = (size_t) parameterIndex(ParameterIDs::focus);

// Copies a channel's input, a broken track's non-finite samples becoming silence, and returns
// the largest magnitude copied.
float sanitise(const float* source, float* destination, int n) noexcept
{
    for (int i = 0; i < n; ++i)
        destination[i] = std::abs(source[i]) <= std::numeric_limits<float>::max() ? source[i] : 0.0f;
    return fastmath::largestMagnitude(destination, n);
}
} // namespace

void TransientShaper::prepare(double newSampleRate, const ParameterValues& settings) noexcept
{
    if (std::isfinite(newSampleRate) && newSampleRate > 0.0)
        sampleRate = newSampleRate;

    for (auto& channel : channels)
    {
        channel.lowBand = FocusFilter::lowBand(sampleRate);
        channel.highBand = FocusFilter::highBand(sampleRate);
    }
    reset();

    smoothers.reset(sampleRate);
    smoothers.setTargets(ParameterSmoothers::targetsFor(settings), true);
}

void TransientShaper::reset() noexcept
{
    for (auto& channel : channels)
        channel.reset();
}

TransientShaper::Peaks TransientShaper::process(const juce::dsp::AudioBlock<float>& block,
                                                const ParameterValues& settings) noexcept
{
    smoothers.setTargets(ParameterSmoothers::targetsFor(settings), false);
    const int focus = settings.choiceIndex(focusParameter);
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(settings.choiceIndex(modeParameter), sampleRate);

    Peaks peaks;
    const int n = (int) block.getNumSamples();
    for (int offset = 0; offset < n; offset += ControlBlock::maxSamples)
    {
        const int length = std::min(ControlBlock::maxSamples, n - offset);
        smoothers.render(controls, length);
        if (block.getNumChannels() > 0)
            processStretch(block, offset, length, coefficients, focus, peaks);
    }
    return peaks;
}

void TransientShaper::processStretch(const juce::dsp::AudioBlock<float>& block, int offset, int n,
                                     const shaper::EnvelopeCoefficients& c, int focus, Peaks& peaks) noexcept
{
    const int numChannels = (int) std::min<size_t>(block.getNumChannels(), 2);
    float inputPeak[2]{};
    for (int ch = 0; ch < numChannels; ++ch)
    {
        inputPeak[ch] = sanitise(block.getChannelPointer((size_t) ch) + offset, input[ch], n);
        peaks.input[ch] = std::max(peaks.input[ch], inputPeak[ch]);
    }

    envelopePass::run(focus, numChannels, input, fast, slow, n, c, channels);

    // Once power or mix has settled at 0 the output is the input, sample for sample.
    const auto& power = controls[Control::power];
    const auto& mix = controls[Control::mix];
    const bool dry = (power.constant && power[0] == 0.0f) || (mix.constant && mix[0] == 0.0f);

    const float clip = controls[Control::clip][0];
    if (clip != normalisedClip) // the normaliser only changes with the clip control
    {
        normalisedClip = clip;
        clipNorm = shaper::clipNormaliser(clip);
    }
    const auto kernel = shaping::activeKernel();
    for (int ch = 0; ch < numChannels; ++ch)
    {
        float* out = block.getChannelPointer((size_t) ch) + offset;
        float outputPeak = inputPeak[ch];
        if (dry)
            std::copy(input[ch], input[ch] + n, out);
        else
            outputPeak = kernel(input[ch], fast[ch], slow[ch], controls, clipNorm, c.modeScale, out, n);
        peaks.output[ch] = std::max(peaks.output[ch], outputPeak);
    }
}

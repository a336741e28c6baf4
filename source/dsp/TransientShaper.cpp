#include "dsp/TransientShaper.h"

#include "dsp/EnvelopePass.h"
#include "dsp/FastMath.h"
#include "dsp/LiveFeed.h"
#include "dsp/LiveReduction.h"
#include "dsp/ShapingKernels.h"
#include "dsp/WriteAhead.h"

#include <limits>

namespace
{
// How long the output takes to fade out and in again when the quality changes.
constexpr double qualityFadeSeconds = 0.005;

} // namespace

void TransientShaper::prepare(double newSampleRate, const ShaperSettings& settings) noexcept
{
    if (std::isfinite(newSampleRate) && newSampleRate > 0.0)
        sampleRate = newSampleRate;

    for (auto& channel : detector.channels)
    {
        channel.lowBand = FocusFilter::lowBand(sampleRate);
        channel.highBand = FocusFilter::highBand(sampleRate);
    }
    oversampled.prepare(sampleRate);
    reset();

    ramps.reset(sampleRate);
    ramps.setTargets(settings.targets, true);
    quality.start(settings.quality, (int) std::ceil(qualityFadeSeconds * sampleRate));
}

void TransientShaper::reset() noexcept
{
    detector.reset();
    oversampled.reset();
}

int TransientShaper::latencyFor(Quality wanted) noexcept
{
    if (wanted != Quality::high)
        return 0;
    static const int high = OversampledPath().getLatency(); // designs the filters once: not for the audio thread
    return high;
}

TransientShaper::Peaks TransientShaper::process(const juce::dsp::AudioBlock<const float>& in,
                                                const juce::dsp::AudioBlock<float>& out,
                                                const ShaperSettings& settings) noexcept
{
    ramps.setTargets(settings.targets, false);
    quality.request(settings.quality);
    const bool linked = settings.link == StereoLink::on;
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(settings.mode, sampleRate);

    Peaks peaks;
    jassert(in.getNumSamples() == out.getNumSamples());
    const int n = (int) std::min(in.getNumSamples(), out.getNumSamples());
    const auto numChannels = std::min({in.getNumChannels(), out.getNumChannels(), (size_t) 2});
    const auto inChannels = in.getSubsetChannelBlock(0, numChannels);
    const auto outChannels = out.getSubsetChannelBlock(0, numChannels);
    for (size_t ch = 0; ch < numChannels && n > 0; ++ch)
        writeAhead::announce(outChannels.getChannelPointer(ch), n);
    for (int offset = 0; offset < n; offset += ControlBlock::maxSamples)
    {
        const int length = std::min(ControlBlock::maxSamples, n - offset);
        ramps.render(controls, length);
        if (numChannels > 0)
            processStretch(inChannels, outChannels, offset, length, coefficients, settings.mode, settings.focus,
                           linked, peaks);
    }
    return peaks;
}

void TransientShaper::processStretch(const juce::dsp::AudioBlock<const float>& in,
                                     const juce::dsp::AudioBlock<float>& out, int offset, int n,
                                     const shaper::EnvelopeCoefficients& c, Mode mode, Focus focus, bool linked,
                                     Peaks& peaks) noexcept
{
    const int numChannels = (int) out.getNumChannels();
    const bool high = quality.activeQuality() == Quality::high;
    const bool feeding = liveFeed != nullptr;

    // Once power or mix has settled at 0 the output is the input, sample for sample.
    const auto& power = controls[Control::power];
    const auto& mix = controls[Control::mix];
    const bool dry = (power.constant && power[0] == 0.0f) || (mix.constant && mix[0] == 0.0f);

    // While the live view listens to a steady Standard stretch that is shaped, the passes that
    // copy the input and shape it find what the view shows on their way; otherwise (High quality,
    // whose input is shown as late as its output, a dry stretch or a quality fade) the live pass
    // reads it once everything is written.
    const bool shapedForLive = feeding && !high && !dry && quality.isSteady();

    // Broken samples (beyond the input ceiling, or not a number) become silence.
    const auto& kernels = shaping::activeKernels();
    float inputPeak[2]{};
    fastmath::SampleRange inputRange[2];
    for (int ch = 0; ch < numChannels; ++ch)
    {
        inputPeak[ch] = kernels.sanitise(in.getChannelPointer((size_t) ch) + offset, input[ch], n,
                                         shapedForLive ? &inputRange[ch] : nullptr);
        peaks.input[ch] = std::max(peaks.input[ch], inputPeak[ch]);
    }

    if (high)
        oversampled.detect(focus, mode, linked, numChannels, input, fast, slow, n, detector);
    else
        envelopePass::run(choiceIndex(focus), linked, numChannels, input, fast, slow, n, c, detector);

    const float clip = controls[Control::clip][0];
    if (clip != normalisedClip) // the normaliser only changes with the clip control
    {
        normalisedClip = clip;
        clipNorm = shaper::clipNormaliser(clip);
    }
    shaping::ShapedStretch shapedLive[2];
    bool restart = false;
    for (int ch = 0; ch < numChannels; ++ch)
    {
        float* shaped = out.getChannelPointer((size_t) ch) + offset;
        float outputPeak = inputPeak[ch];
        if (high)
        {
            const OversampledPath::LiveTap tap{liveTransients[ch], liveInput[ch]};
            outputPeak = oversampled.process(ch, input[ch], fast[ch], slow[ch], controls, c.modeScale, clipNorm, shaped,
                                             n, feeding ? &tap : nullptr);
        }
        else if (!dry)
        {
            shapedLive[ch].transients = shapedForLive ? nullptr : liveTransients[ch];
            outputPeak = kernels.shape(input[ch], fast[ch], slow[ch], controls, clipNorm, c.modeScale, shaped, n,
                                       feeding ? &shapedLive[ch] : nullptr);
        }
        else
        {
            std::copy(input[ch], input[ch] + n, shaped);
            if (feeding)
                liveReduction::transientAmounts(fast[ch], slow[ch], controls[Control::sensitivity].values, c.modeScale,
                                                liveTransients[ch], n);
        }

        if (!quality.isSteady())
        {
            // Every channel sees the same fade; the last one moves it on.
            QualitySwitch fade = quality;
            restart = fade.applyFade(shaped, n);
            if (ch == numChannels - 1)
                quality = fade;
            outputPeak = fastmath::largestMagnitude(shaped, n);
        }
        peaks.output[ch] = std::max(peaks.output[ch], outputPeak);
    }

    if (shapedForLive)
    {
        const auto channelSummary = [&](int ch) {
            return LiveSummary{inputRange[ch].lowest,        inputRange[ch].highest,    shapedLive[ch].output.lowest,
                               shapedLive[ch].output.highest, shapedLive[ch].transient, n};
        };
        auto summary = channelSummary(0);
        if (numChannels == 2)
            summary.takeIn(channelSummary(1));
        liveFeed->addStretch(summary);
    }
    else if (feeding)
    {
        // Both channels in one pass: the input (as late as the output), the output and the
        // transient amounts.
        const auto last = (size_t) (numChannels - 1);
        const auto& seen = high ? liveInput : input;
        const shaping::LiveChannels stretch{{seen[0], seen[last]},
                                            {out.getChannelPointer(0) + offset, out.getChannelPointer(last) + offset},
                                            {liveTransients[0], liveTransients[last]}};
        liveFeed->addStretch(kernels.live(stretch, n));
    }

    if (restart)
    {
        oversampled.reset();
        quality.switched(quality.wantedQuality() == Quality::high ? oversampled.getLatency() : 0);
    }
}

#pragma once

#include "dsp/ControlBlock.h"
#include "dsp/ControlRamps.h"
#include "dsp/DetectorState.h"
#include "dsp/OversampledPath.h"
#include "dsp/QualitySwitch.h"
#include "dsp/ShaperCore.h"
#include "dsp/ShaperSettings.h"
#include "dsp/ShapingKernels.h"

#include <juce_dsp/juce_dsp.h>


class LiveFeed;

// The transient shaper of up to two channels: focus filters, envelope followers, the ramps of
// the controls and the block path. The processor, the LV2 wrapper, the tools and the tests all
// drive this one object.
//
// The block path runs stretches of up to ControlBlock::maxSamples samples in two passes: the
// envelope pass (EnvelopePass.h), then a vectorised pass (ShapingKernels.h) that turns envelopes
// into the transient amount, gains, punch, clip, output gain, mix and the power crossfade. The
// controls ramp one value per sample, exactly as a per-sample loop steps them; tanh and the
// decibel gain use fastmath's approximations. A broken input sample (beyond
// shaper::inputCeiling, or not a number) is processed as silence and a non-finite result is
// written as silence. With High quality the second pass runs
// oversampled (OversampledPath.h) and the output comes latencyFor(High) samples late; with the
// stereo link on, one detector serves both channels.
class TransientShaper
{
public:
    // Largest magnitudes of the input (after broken samples became silence) and the output.
    struct Peaks
    {
        float input[2]{0.0f, 0.0f};
        float output[2]{0.0f, 0.0f};
    };

    // Sets the focus bands for a sample rate, clears filters and envelopes and puts the ramps at
    // the settings without ramping. A rate that is not a positive number keeps the previous one
    // (44100 Hz before the first prepare).
    void prepare(double sampleRate, const ShaperSettings& settings) noexcept;

    // Clears filters and envelopes of both channels; the ramps stay where they are.
    void reset() noexcept;

    // Shapes the first one or two channels of `in` into `out` with the settings (read once for
    // the block: ramps head for them from where they are, mode and focus switch at once). Both
    // blocks have the same length; a channel of `out` may be the same memory as one of `in`.
    // Channels beyond the second are left alone; with no channels the ramps still advance.
    Peaks process(const juce::dsp::AudioBlock<const float>& in, const juce::dsp::AudioBlock<float>& out,
                  const ShaperSettings& settings) noexcept;

    // The same, in place.
    Peaks process(const juce::dsp::AudioBlock<float>& block, const ShaperSettings& settings) noexcept
    {
        return process(block, block, settings);
    }

    double getSampleRate() const noexcept { return sampleRate; }

    // The delay of the output behind the input at a quality, in samples (not on the audio thread).
    static int latencyFor(Quality quality) noexcept;

    // The delay of the output now (it follows a change of quality once the path has changed).
    int getLatency() const noexcept
    {
        return quality.activeQuality() == Quality::high ? oversampled.getLatency() : 0;
    }

    // The live view's tap (LiveFeed.h): while a feed is set, each stretch is handed to it once it
    // is shaped. Set on the thread that processes, between blocks; null (the default) for none.
    void setLiveFeed(LiveFeed* feed) noexcept { liveFeed = feed; }

private:
    // c: the followers' coefficients of the mode at the sample rate (High quality's detector
    // keeps its own for every mode).
    void processStretch(const juce::dsp::AudioBlock<const float>& in, const juce::dsp::AudioBlock<float>& out,
                        int offset, int n, const shaper::EnvelopeCoefficients& c, Mode mode, Focus focus,
                        bool linked, Peaks& peaks) noexcept;

    double sampleRate = 44100.0;
    DetectorState detector;
    ControlRamps ramps;
    OversampledPath oversampled;
    QualitySwitch quality;

    // Scratch of the block path.
    ControlBlock controls;
    float normalisedClip = -1.0f, clipNorm = 1.0f; // the clip value clipNorm was computed for
    alignas(16) float input[2][ControlBlock::maxSamples]{};
    alignas(16) float fast[2][ControlBlock::maxSamples]{};
    alignas(16) float slow[2][ControlBlock::maxSamples]{};
    // While the live view listens: each channel's transient amounts and (High quality) its input
    // as late as the output.
    alignas(64) float liveTransients[2][ControlBlock::maxSamples]{};
    alignas(64) float liveInput[2][ControlBlock::maxSamples]{};

    LiveFeed* liveFeed = nullptr;
};

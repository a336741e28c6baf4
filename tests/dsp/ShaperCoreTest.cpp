#include "common/ProcessorHarness.h"
#include "dsp/FocusFilter.h"
#include "dsp/ShaperCore.h"

#include <gtest/gtest.h>

namespace
{
// The controls the ramps carry for the given parameter settings.
shaper::Controls controlsFor(const ParameterValues& settings)
{
    return {shaperSettingsFrom(settings).targets};
}

const shaper::Controls defaultControls = controlsFor(ParameterValues::defaults());

// The detection path of one channel, as the processor runs it.
struct Channel
{
    explicit Channel(double sampleRate)
    {
        low.coefficients = juce::dsp::IIR::Coefficients<float>::makeLowPass(sampleRate, 220.0f);
        high.coefficients = juce::dsp::IIR::Coefficients<float>::makeHighPass(sampleRate, 2400.0f);
        low.reset();
        high.reset();
    }

    float transient(float x, Focus focus, const shaper::EnvelopeCoefficients& c, float sensitivity)
    {
        const float d = shaper::detectionSignal(x, focus, low, high);
        return shaper::transientAmount(d, fast, slow, c, sensitivity);
    }

    shaper::Filter low, high;
    float fast = 0.0f, slow = 0.0f;
};
} // namespace

TEST(ShaperCore, WorkedExampleAt48kHz)
{
    TransientShaper shaper;
    shaper.prepare(48000.0, shaperSettingsFrom(ParameterValues::defaults()));

    Channel channel(48000.0);
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(Mode::punch, 48000.0);

    const float inputs[] = {0.5f, 0.5f, 0.5f, -0.25f};
    const float expected[] = {1.01426f, 1.01426f, 1.01426f, -0.61621f};

    auto block = harness::makeBuffer(2, {inputs, inputs + 4});
    harness::shapeInBlocks(shaper, block, ParameterValues::defaults());
    for (int i = 0; i < 4; ++i)
    {
        const float T = channel.transient(inputs[i], Focus::full, coefficients, 0.6f);
        EXPECT_EQ(T, 1.0f) << "sample " << i;
        EXPECT_NEAR(shaper::sustainWeight(T, 0.3f), 0.244f, 1e-6f);
        EXPECT_NEAR(shaper::shapeSample(inputs[i], T, defaultControls), expected[i], 5e-6f) << "sample " << i;
        for (int ch = 0; ch < 2; ++ch)
            EXPECT_NEAR(block.getSample(ch, i), expected[i], 5e-6f) << "sample " << i;
    }
}

TEST(ShaperCore, SilenceStaysExactlyZero)
{
    Channel channel(48000.0);
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(Mode::punch, 48000.0);

    for (Focus focus : {Focus::low, Focus::full, Focus::high})
        for (int i = 0; i < 4800; ++i)
        {
            const float T = channel.transient(0.0f, focus, coefficients, 1.0f);
            ASSERT_EQ(channel.fast, 0.0f);
            ASSERT_EQ(channel.slow, 0.0f);
            ASSERT_EQ(shaper::shapeSample(0.0f, T, defaultControls), 0.0f);
        }
}

TEST(ShaperCore, MixZeroReturnsTheInputExactly)
{
    juce::Random random(7);
    for (int i = 0; i < 2000; ++i)
    {
        auto settings = ParameterValues::defaults();
        for (size_t p = 0; p < numParameters; ++p)
        {
            const auto& spec = parameterSpecs[p];
            settings[p] = spec.minimum + random.nextFloat() * (spec.maximum - spec.minimum);
        }
        const auto k = controlsFor(settings.set(ParameterIDs::mix, 0.0f));
        const float x = random.nextFloat() * 4.0f - 2.0f;
        ASSERT_EQ(shaper::shapeSample(x, random.nextFloat(), k), x);
    }
}

TEST(ShaperCore, NeutralControlsPassOnlyWhereThereIsNoTransient)
{
    const auto neutral = controlsFor(ParameterValues::defaults()
                                         .set(ParameterIDs::attack, 0.0f)
                                         .set(ParameterIDs::sustain, 0.0f)
                                         .set(ParameterIDs::punch, 0.0f)
                                         .set(ParameterIDs::clip, 0.0f));
    for (float x : {-0.9f, -0.3f, 0.1f, 0.7f})
    {
        EXPECT_EQ(shaper::shapeSample(x, 0.0f, neutral), x);
        // The saturation term keeps a weight of 0.35 at punch 0, so a transient still bends.
        EXPECT_NE(shaper::shapeSample(x, 0.6f, neutral), x);
    }
}

TEST(ShaperCore, ConstantInputSettlesAtTheDocumentedTransientAmount)
{
    Channel channel(48000.0);
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(Mode::punch, 48000.0);
    float T = 0.0f;
    for (int i = 0; i < 4 * 48000; ++i)
        T = channel.transient(1.0f, Focus::low, coefficients, 0.6f);

    EXPECT_NEAR(channel.fast, 1.0f, 1e-4f);
    EXPECT_NEAR(channel.slow, 1.0f, 1e-4f);
    // Float rounding leaves the two envelopes a hair apart, hence the tolerance.
    EXPECT_NEAR(T, 0.12f * 1.0f / 1.0001f * 1.16f * 1.25f, 3e-4f);
    EXPECT_NEAR(T, 0.174f, 5e-4f);
}

TEST(ShaperCore, StepDrivesTheTransientToOneOnlyWithSensitivity)
{
    struct Case
    {
        float sensitivity;
        bool reachesOne;
    };
    for (const auto& c : {Case{0.6f, true}, Case{0.0f, false}})
    {
        Channel channel(48000.0);
        const auto coefficients = shaper::EnvelopeCoefficients::forMode(Mode::punch, 48000.0);
        float first = 0.0f, largest = 0.0f, last = 0.0f;
        for (int i = 0; i < 48000; ++i)
        {
            last = channel.transient(0.5f, Focus::full, coefficients, c.sensitivity);
            if (i == 0)
                first = last;
            largest = std::max(largest, last);
        }
        if (c.reachesOne)
        {
            EXPECT_EQ(first, 1.0f);
            EXPECT_LT(last, 0.5f) << "falls back as the slow envelope catches up";
        }
        else
        {
            EXPECT_LE(largest, 0.4375f + 1e-6f);
            EXPECT_LT(largest, 1.0f);
        }
    }
}

TEST(ShaperCore, FullSustainCutScalesByMinusTwelveDecibels)
{
    const auto k = controlsFor(ParameterValues::defaults()
                                   .set(ParameterIDs::attack, 0.0f)
                                   .set(ParameterIDs::sustain, -12.0f)
                                   .set(ParameterIDs::clip, 0.0f));
    EXPECT_NEAR(shaper::shapeSample(0.8f, 0.0f, k), 0.8f * 0.2511886f, 1e-6f);
}

TEST(ShaperCore, ClipStageThreshold)
{
    const float x = 0.9f;
    auto withClip = [](float clip) {
        auto k = controlsFor(
            ParameterValues::defaults().set(ParameterIDs::attack, 0.0f).set(ParameterIDs::sustain, 0.0f));
        k.values[(size_t) Control::clip] = clip;
        return k;
    };
    const float unclipped = shaper::shapeSample(x, 0.0f, withClip(0.0f));
    EXPECT_EQ(unclipped, x);
    EXPECT_EQ(shaper::shapeSample(x, 0.0f, withClip(0.0001f)), unclipped) << "0.0001 skips the clip stage";
    EXPECT_NE(shaper::shapeSample(x, 0.0f, withClip(0.0002f)), unclipped);

    const auto k = withClip(1.0f);
    EXPECT_NEAR(shaper::shapeSample(x, 0.0f, k), std::tanh(5.0f * x) / std::tanh(5.0f), 1e-6f);
}

TEST(ShaperCore, OutOfRangeIndicesClampToTheNearestChoice)
{
    struct Case
    {
        int mode, focus, sameModeAs, sameFocusAs;
    };
    const Case cases[] = {{5, 1, 2, 1}, {-1, 1, 0, 1}, {1, 3, 1, 2}, {1, -1, 1, 0}};

    const auto signal = harness::drumLikeSignal(4000, 1000);
    for (const auto& c : cases)
    {
        auto settingsFor = [](int mode, int focus) {
            return ParameterValues::defaults().set(ParameterIDs::mode, (float) mode).set(ParameterIDs::focus, (float) focus);
        };
        TransientShaper a, b;
        auto ya = harness::makeBuffer(1, signal), yb = ya;
        a.prepare(48000.0, shaperSettingsFrom(settingsFor(c.mode, c.focus)));
        b.prepare(48000.0, shaperSettingsFrom(settingsFor(c.sameModeAs, c.sameFocusAs)));
        harness::shapeInBlocks(a, ya, settingsFor(c.mode, c.focus));
        harness::shapeInBlocks(b, yb, settingsFor(c.sameModeAs, c.sameFocusAs));
        for (int i = 0; i < ya.getNumSamples(); ++i)
            ASSERT_EQ(ya.getSample(0, i), yb.getSample(0, i)) << "mode " << c.mode << " focus " << c.focus;
    }
}

TEST(ShaperCore, EnvelopeCoefficients)
{
    // 0.3 ms at 1000 Hz is under one sample: floored to exp(-1).
    EXPECT_EQ(shaper::envelopeCoefficient(0.0003f, 1000.0), (float) std::exp(-1.0));
    // Computed in double from the float constant, then rounded.
    EXPECT_EQ(shaper::envelopeCoefficient(0.0003f, 48000.0), (float) std::exp(-1.0 / ((double) 0.0003f * 48000.0)));
    // Non-positive times use the 10 microsecond floor.
    EXPECT_EQ(shaper::envelopeCoefficient(0.0f, 480000.0), (float) std::exp(-1.0 / ((double) 1.0e-5f * 480000.0)));
}

TEST(FocusFilter, ComputesTheFrameworkFiltersSamplesExactly)
{
    for (double rate : {22050.0, 44100.0, 48000.0, 96000.0, 192000.0})
    {
        FocusFilter low = FocusFilter::lowBand(rate), high = FocusFilter::highBand(rate);
        shaper::Filter juceLow, juceHigh;
        juceLow.coefficients = juce::dsp::IIR::Coefficients<float>::makeLowPass(rate, 220.0f);
        juceHigh.coefficients = juce::dsp::IIR::Coefficients<float>::makeHighPass(rate, 2400.0f);
        juceLow.reset();
        juceHigh.reset();

        const auto signal = harness::drumLikeSignal(20000, 3000, 41);
        for (size_t i = 0; i < signal.size(); ++i)
        {
            ASSERT_EQ(low.processSample(signal[i]), juceLow.processSample(signal[i])) << rate << " Hz, sample " << i;
            ASSERT_EQ(high.processSample(signal[i]), juceHigh.processSample(signal[i])) << rate << " Hz, sample " << i;
        }
    }
}

// The bands' designs are only stable below half the sample rate; at low rates the cut-off is
// pulled under it, so every band stays stable wherever a host or the render tool may run.
TEST(FocusFilter, StableAtEveryRateEvenBelowTwiceTheCutOff)
{
    for (double rate : {1.0, 100.0, 440.0, 1000.0, 2000.0, 3000.0, 4000.0, 4800.0, 5000.0, 5334.0, 8000.0, 11025.0})
        for (const auto& band : {FocusFilter::lowBand(rate), FocusFilter::highBand(rate)})
        {
            SCOPED_TRACE(juce::String(rate) + " Hz");
            // Both poles of z^2 + a1 z + a2 inside the unit circle: the stability triangle.
            EXPECT_LT(std::abs(band.a2), 1.0f);
            EXPECT_LT(std::abs(band.a1), 1.0f + band.a2);

            auto filter = band;
            juce::Random random(3);
            float largest = 0.0f;
            for (int i = 0; i < 200000; ++i)
                largest = std::max(largest, std::abs(filter.processSample(random.nextFloat() * 2.0f - 1.0f)));
            EXPECT_LT(largest, 10.0f);
        }
}

TEST(FocusFilter, CommonRatesKeepTheDesignedCutOff)
{
    for (double rate : {11025.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0})
    {
        EXPECT_EQ(FocusFilter::cutoffFor(220.0f, rate), 220.0f);
        EXPECT_EQ(FocusFilter::cutoffFor(2400.0f, rate), 2400.0f);
    }
    EXPECT_LT(FocusFilter::cutoffFor(2400.0f, 4000.0), 2000.0f);
}

#include "editor/display/DisplayModel.h"

#include "dsp/TransientShaper.h"
#include "state/ShaperSettingsFrom.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
// The hit's envelope at time tau (seconds): a sharp click over a body and a long tail whose decay
// follows the sustain knob, together never above 1.45.
struct HitShape
{
    float tailRate, bodyRate, bodyLevel;

    explicit HitShape(float sustainDb)
    {
        const float t = (juce::jlimit(-1.0f, 1.0f, sustainDb / 12.0f) + 1.0f) * 0.5f;
        tailRate = (1.22f - 0.4f * t) * 16.0f;
        bodyRate = (1.55f - 0.93f * t) * 5.2f;
        bodyLevel = 0.72f + 0.5f * t;
    }

    struct Parts
    {
        float click, body;
    };

    Parts at(float tau) const
    {
        const float click = 1.02f * std::exp(-78.0f * tau);
        const float body = 0.42f * std::exp(-tailRate * tau) + 0.12f * bodyLevel * std::exp(-bodyRate * tau);
        const float limit = std::min(1.0f, 1.45f / (click + body));
        return {click * limit, body * limit};
    }
};

// The click rings at 3 kHz, the body at 500 Hz: the focus bands hear them differently. Both
// repeat every 96 samples at 48 kHz, where both peak together, so the largest magnitude of any
// point's 109 samples is the envelope.
constexpr int bodyPeriod = 96, clickPeriod = 16;

constexpr auto powerParameter = (size_t)parameterIndex(ParameterIDs::power);
} // namespace

void syntheticHit::render(float* out, int numSamples, float sustainDb)
{
    const HitShape shape(sustainDb);
    const double twoPi = juce::MathConstants<double>::twoPi;
    for (int n = 0; n < numSamples; ++n)
    {
        const auto parts = shape.at((float)(n / rateHz));
        out[n] = parts.click * (float)std::cos(twoPi * (n % clickPeriod) / clickPeriod) +
                 parts.body * (float)std::cos(twoPi * (n % bodyPeriod) / bodyPeriod);
    }
}

void syntheticHit::envelope(const float* samples, int numPoints, float* points)
{
    for (int k = 0; k < numPoints; ++k)
    {
        const float* stretch = samples + (size_t)k * samplesPerPoint;
        float largest = 0.0f;
        for (int i = 0; i < samplesPerPoint; ++i)
            largest = std::max(largest, std::abs(stretch[i]));
        points[k] = largest;
    }
}

float DisplaySettings::audioValue(std::string_view id) const noexcept
{
    const int index = parameterIndex(id);
    return index >= 0 ? parameterSpecs[(size_t)index].audioValueOf(parameters[(size_t)index]) : 0.0f;
}

float clipOnsetLevel(float clip)
{
    const float clipDrive = 1.0f + 4.0f * clip;
    return juce::jlimit(0.08f, 1.15f, 0.92f / clipDrive);
}

juce::String displayReadOut(const DisplaySettings& settings)
{
    juce::String text;
    if (settings.choice<Quality>() == Quality::high)
        text << "HQ  ";
    if (settings.choice<StereoLink>() == StereoLink::on)
        text << "LINK  ";
    const float mix = settings.audioValue(ParameterIDs::mix), clip = settings.audioValue(ParameterIDs::clip);
    return text + "MIX " + juce::String(mix * 100.0f, 0) + "%  CLIP " + juce::String(clip * 100.0f, 0) + "%";
}

DisplayModelMaker::DisplayModelMaker()
    : shaper(std::make_unique<TransientShaper>()),
      hit((size_t)(syntheticHit::length + TransientShaper::latencyFor(Quality::high))),
      shaped(hit.size())
{
}

DisplayModelMaker::~DisplayModelMaker() = default;

const DisplayModel& DisplayModelMaker::make(const DisplaySettings& settings, int numPoints)
{
    const int wanted = juce::jlimit(2, DisplayModel::maxPoints, numPoints);
    if (madeWithPoints == wanted && settings == madeFor)
        return model;

    const float sustainDb = settings.audioValue(ParameterIDs::sustain);
    if (!hitMade || sustainDb != hitSustainDb)
    {
        syntheticHit::render(hit.data(), (int)hit.size(), sustainDb);
        hitSustainDb = sustainDb;
        hitMade = true;
    }

    // The shaper as the audio path runs it, from rest, with power on: the output comes as late
    // as the quality's latency, so the shaped hit is read that much later.
    auto values = settings.parameters;
    values[powerParameter] = 1.0f;
    const int latency = TransientShaper::latencyFor(values.choice<Quality>());
    const auto shaperSettings = shaperSettingsFrom(values);
    shaper->prepare(syntheticHit::rateHz, shaperSettings);
    const int length = syntheticHit::length + latency;
    float* const inChannel[] = {hit.data()};
    float* const outChannel[] = {shaped.data()};
    shaper->process(juce::dsp::AudioBlock<const float>(inChannel, 1, (size_t)length),
                    juce::dsp::AudioBlock<float>(outChannel, 1, (size_t)length), shaperSettings);

    model = {};
    model.numPoints = DisplayModel::maxPoints;
    syntheticHit::envelope(hit.data(), model.numPoints, model.dry.data());
    syntheticHit::envelope(shaped.data() + latency, model.numPoints, model.shaped.data());

    const float clipAmount = settings.audioValue(ParameterIDs::clip);
    model.clipLevel = clipOnsetLevel(clipAmount);
    model.peak = std::max(0.72f, model.clipLevel);
    for (int k = 0; k < model.numPoints; ++k)
    {
        const float dry = model.dry[(size_t)k], wet = model.shaped[(size_t)k];
        model.peak = std::max({model.peak, wet, dry});
        model.gainDb[(size_t)k] =
            dry >= DisplayModel::gainFloor
                ? juce::Decibels::gainToDecibels(wet, -100.0f) - juce::Decibels::gainToDecibels(dry)
                : std::numeric_limits<float>::quiet_NaN();
    }

    // A coarser curve takes an even selection of the points: the same hit with fewer vertices.
    for (int k = 0; k < wanted && wanted < DisplayModel::maxPoints; ++k)
    {
        const auto source = (size_t)std::lround((double)k * (DisplayModel::maxPoints - 1) / (wanted - 1));
        model.dry[(size_t)k] = model.dry[source];
        model.shaped[(size_t)k] = model.shaped[source];
        model.gainDb[(size_t)k] = model.gainDb[source];
    }
    model.numPoints = wanted;

    const float punchAmount = settings.audioValue(ParameterIDs::punch);
    const float mixAmount = settings.audioValue(ParameterIDs::mix);
    const float punchScale = settings.choice<Mode>() == Mode::punch ? 1.15f : 1.0f;
    model.punchShow = juce::jlimit(0.0f, 1.0f, punchAmount * punchScale);
    model.dryAlpha = juce::jlimit(0.0f, 1.0f, 1.0f - 0.72f * mixAmount);
    model.shapedAmount = juce::jlimit(0.0f, 1.0f, mixAmount);
    model.showsShapedCurve = model.shapedAmount > 0.001f;
    model.showsClipLine = clipAmount > 0.04f;
    model.mix = mixAmount;
    model.clip = clipAmount;

    madeFor = settings;
    madeWithPoints = wanted;
    return model;
}

DisplayModel computeDisplayModel(const DisplaySettings& settings, int numPoints)
{
    DisplayModelMaker maker;
    return maker.make(settings, numPoints);
}

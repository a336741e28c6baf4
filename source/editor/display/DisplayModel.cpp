#include "editor/display/DisplayModel.h"

#include "dsp/ShaperCore.h"

#include <algorithm>
#include <cmath>

namespace
{
// How the focus band colours the model: the low band sees less of the attack, the high band more.
struct FocusRow
{
    float transientFactor;
    float sustainFactor;
    float detectorScale;
};

// In the order of Focus.
constexpr std::array<FocusRow, choiceCount<Focus>> focusTable{{
    {0.88f, 1.12f, 0.86f}, // Low
    {1.0f, 1.0f, 1.0f},    // Full
    {1.14f, 0.82f, 1.12f}, // High
}};

// The model runs at 48 kHz over 24000 samples (500 ms).
constexpr double modelSampleRate = 48000.0;
constexpr int modelLength = 24000;

// The synthetic hit at time tau (seconds): a long tail, a sharp click and a body whose decay
// follows the sustain knob.
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

    float at(float tau) const
    {
        const float v = 0.42f * std::exp(-tailRate * tau) + 1.02f * std::exp(-78.0f * tau) +
                        0.12f * bodyLevel * std::exp(-bodyRate * tau);
        return juce::jlimit(0.0f, 1.45f, v);
    }
};
} // namespace

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

DisplayModel computeDisplayModel(const DisplaySettings& settings, int numPoints)
{
    using namespace ParameterIDs;
    const float attackDb = settings.audioValue(attack), sustainDb = settings.audioValue(sustain);
    const float outputGain = settings.audioValue(output);
    const float sensitivityAmount = settings.audioValue(sensitivity),
                punchAmount = settings.audioValue(punch);
    const float clipAmount = settings.audioValue(clip), mixAmount = settings.audioValue(mix);
    const auto modeChoice = settings.choice<Mode>();
    const auto focusChoice = settings.choice<Focus>();

    // The model always runs over all points; a coarser curve takes an even selection of them,
    // so it shows the same hit with fewer vertices.
    DisplayModel model;
    model.numPoints = DisplayModel::maxPoints;

    const float attackGain = shaper::decibelsToGain(attackDb);
    const float sustainGain = shaper::decibelsToGain(sustainDb);
    model.clipLevel = clipOnsetLevel(clipAmount);

    const HitShape hit(sustainDb);
    const auto& band = focusTable[(size_t)choiceIndex(focusChoice)];
    const float duck = 0.78f - 0.08f * punchAmount;
    const float punchBlend = 0.35f + 0.35f * punchAmount;

    // The shaper's own followers and detector, one step per point at 48 kHz, with the focus
    // band's weighting folded into the mode's scale.
    auto coefficients = shaper::EnvelopeCoefficients::forMode(modeChoice, modelSampleRate);
    coefficients.modeScale *= band.transientFactor;
    float fastEnv = 0.0f, slowEnv = 0.0f;

    const int spacing = std::max(1, modelLength / (model.numPoints - 1));
    model.peak = std::max(0.72f, model.clipLevel);

    for (int k = 0; k < model.numPoints; ++k)
    {
        const int n = std::min(k * spacing, modelLength - 1);
        const float tau = (float)n / (float)modelLength * 0.5f;
        const float dry = hit.at(tau);

        const float transient = shaper::transientAmount(dry * band.detectorScale, fastEnv, slowEnv,
                                                        coefficients, sensitivityAmount);
        const float sustainWeight = juce::jlimit(0.0f, 1.0f, (1.0f - duck * transient) * band.sustainFactor);
        const float tPart = transient * dry;
        const float body = dry - tPart;
        const float sat = shaper::normalisedTanh(tPart, 1.0f + 3.2f * punchAmount * transient);
        float u = body * (1.0f - sustainWeight + sustainWeight * sustainGain) + tPart * attackGain +
                  (sat - tPart) * punchBlend;
        u = shaper::softClip(u, clipAmount);
        const float shaped = u * outputGain;

        model.dry[(size_t)k] = dry;
        model.shaped[(size_t)k] = shaped;
        model.peak = std::max({model.peak, shaped, dry});
    }

    const int wanted = juce::jlimit(2, DisplayModel::maxPoints, numPoints);
    for (int k = 0; k < wanted && wanted < DisplayModel::maxPoints; ++k)
    {
        const auto source = (size_t)std::lround((double)k * (DisplayModel::maxPoints - 1) / (wanted - 1));
        model.dry[(size_t)k] = model.dry[source];
        model.shaped[(size_t)k] = model.shaped[source];
    }
    model.numPoints = wanted;

    const float punchScale = modeChoice == Mode::punch ? 1.15f : 1.0f;
    model.punchShow = juce::jlimit(0.0f, 1.0f, punchAmount * punchScale);
    model.dryAlpha = juce::jlimit(0.0f, 1.0f, 1.0f - 0.72f * mixAmount);
    model.shapedAmount = juce::jlimit(0.0f, 1.0f, mixAmount);
    model.showsShapedCurve = model.shapedAmount > 0.001f;
    model.showsClipLine = clipAmount > 0.04f;
    model.mix = mixAmount;
    model.clip = clipAmount;
    return model;
}

#include "editor/DisplayModel.h"

#include "editor/Rounding.h"
#include "processor/ShaperCore.h"

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

constexpr std::array<FocusRow, 3> focusTable{{
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

DisplaySettings::DisplaySettings()
{
    for (const auto& spec : parameterSpecs)
        set(spec, spec.defaultValue);
}

void DisplaySettings::set(const ParameterSpec& spec, float plain)
{
    switch (parameterIndex(spec.id))
    {
        case parameterIndex(ParameterIDs::attack): attackDb = plain; break;
        case parameterIndex(ParameterIDs::sustain): sustainDb = plain; break;
        case parameterIndex(ParameterIDs::output): outputDb = plain; break;
        case parameterIndex(ParameterIDs::sensitivity): sensitivity = spec.audioValueOf(plain); break;
        case parameterIndex(ParameterIDs::punch): punch = spec.audioValueOf(plain); break;
        case parameterIndex(ParameterIDs::clip): clip = spec.audioValueOf(plain); break;
        case parameterIndex(ParameterIDs::mix): mix = spec.audioValueOf(plain); break;
        case parameterIndex(ParameterIDs::mode): modeIndex = juce::roundToInt(plain); break;
        case parameterIndex(ParameterIDs::focus): focusIndex = juce::roundToInt(plain); break;
        case parameterIndex(ParameterIDs::power): powerOn = spec.audioValueOf(plain) >= 0.5f; break;
        case parameterIndex(ParameterIDs::quality): highQuality = juce::roundToInt(plain) == QualityIndex::high; break;
        case parameterIndex(ParameterIDs::link): linked = juce::roundToInt(plain) == LinkIndex::on; break;
        default: break;
    }
}

float clipOnsetLevel(float clip)
{
    const float clipDrive = 1.0f + 4.0f * clip;
    return juce::jlimit(0.08f, 1.15f, 0.92f / clipDrive);
}

juce::String displayReadOut(const DisplaySettings& settings)
{
    juce::String text;
    if (settings.highQuality)
        text << "HQ  ";
    if (settings.linked)
        text << "LINK  ";
    return text + "MIX " + juce::String(settings.mix * 100.0f, 0) + "%  CLIP " + juce::String(settings.clip * 100.0f, 0)
           + "%";
}

DisplayModel computeDisplayModel(const DisplaySettings& s, int numPoints)
{
    // The model always runs over all points; a coarser curve takes an even selection of them,
    // so it shows the same hit with fewer vertices.
    DisplayModel model;
    model.numPoints = DisplayModel::maxPoints;

    const float attackGain = shaper::decibelsToGain(s.attackDb);
    const float sustainGain = shaper::decibelsToGain(s.sustainDb);
    const float outputGain = shaper::decibelsToGain(s.outputDb);
    model.clipLevel = clipOnsetLevel(s.clip);

    const HitShape hit(s.sustainDb);
    const auto& focus = focusTable[(size_t) shaper::clampChoiceIndex(s.focusIndex)];
    const float duck = 0.78f - 0.08f * s.punch;
    const float punchBlend = 0.35f + 0.35f * s.punch;

    // The shaper's own followers and detector, one step per point at 48 kHz, with the focus
    // band's weighting folded into the mode's scale.
    auto coefficients = shaper::EnvelopeCoefficients::forMode(s.modeIndex, modelSampleRate);
    coefficients.modeScale *= focus.transientFactor;
    float fastEnv = 0.0f, slowEnv = 0.0f;

    const int spacing = std::max(1, modelLength / (model.numPoints - 1));
    model.peak = std::max(0.72f, model.clipLevel);

    for (int k = 0; k < model.numPoints; ++k)
    {
        const int n = std::min(k * spacing, modelLength - 1);
        const float tau = (float) n / (float) modelLength * 0.5f;
        const float dry = hit.at(tau);

        const float transient =
            shaper::transientAmount(dry * focus.detectorScale, fastEnv, slowEnv, coefficients, s.sensitivity);
        const float sustainWeight = juce::jlimit(0.0f, 1.0f, (1.0f - duck * transient) * focus.sustainFactor);
        const float tPart = transient * dry;
        const float body = dry - tPart;
        const float sat = shaper::normalisedTanh(tPart, 1.0f + 3.2f * s.punch * transient);
        float u = body * (1.0f - sustainWeight + sustainWeight * sustainGain) + tPart * attackGain +
                  (sat - tPart) * punchBlend;
        u = shaper::softClip(u, s.clip);
        const float shaped = u * outputGain;

        model.dry[(size_t) k] = dry;
        model.shaped[(size_t) k] = shaped;
        model.peak = std::max({model.peak, shaped, dry});
    }

    const int wanted = juce::jlimit(2, DisplayModel::maxPoints, numPoints);
    for (int k = 0; k < wanted && wanted < DisplayModel::maxPoints; ++k)
    {
        const auto source = (size_t) std::lround((double) k * (DisplayModel::maxPoints - 1) / (wanted - 1));
        model.dry[(size_t) k] = model.dry[source];
        model.shaped[(size_t) k] = model.shaped[source];
    }
    model.numPoints = wanted;

    const float punchScale = s.modeIndex == 1 ? 1.15f : 1.0f;
    model.punchShow = juce::jlimit(0.0f, 1.0f, s.punch * punchScale);
    model.dryAlpha = juce::jlimit(0.0f, 1.0f, 1.0f - 0.72f * s.mix);
    model.shapedAmount = juce::jlimit(0.0f, 1.0f, s.mix);
    model.showsShapedCurve = model.shapedAmount > 0.001f;
    model.showsClipLine = s.clip > 0.04f;
    model.mix = s.mix;
    model.clip = s.clip;
    return model;
}

PlotGeometry PlotGeometry::forDisplayArea(juce::Rectangle<float> displayArea, float scale)
{
    auto plot = displayArea.reduced(18.0f * scale, 26.0f * scale);
    plot.removeFromTop(12.0f * scale);
    plot.removeFromBottom(16.0f * scale);

    PlotGeometry g;
    g.displayArea = displayArea;
    g.scale = scale;
    g.plotX = plot.getX();
    g.plotY = plot.getY();
    g.plotW = plot.getWidth();
    g.plotH = plot.getHeight();
    g.plotRight = g.plotX + g.plotW;
    g.baselineY = g.plotY + g.plotH - g.plotH * 0.17f;
    g.curveSpan = g.baselineY - g.plotY;
    return g;
}

std::array<PlotGeometry::Label, 5> PlotGeometry::timeAxisLabels() const
{
    const int y = (int) baselineY + roundHalfAway(30.0f * scale);
    const int w = roundHalfAway(80.0f * scale);
    const int h = roundHalfAway(18.0f * scale);
    const auto centredOn = [&](float share) { return (int) plotX + (int) (plotW * share) - w / 2; };
    return {{
        {"0 ms", {(int) plotX, y, w, h}, juce::Justification::left},
        {"125 ms", {centredOn(0.25f), y, w, h}, juce::Justification::centred},
        {"250 ms", {centredOn(0.5f), y, w, h}, juce::Justification::centred},
        {"375 ms", {centredOn(0.75f), y, w, h}, juce::Justification::centred},
        {"500 ms", {(int) (plotX + plotW) - w, y, w, h}, juce::Justification::right},
    }};
}

juce::Rectangle<int> PlotGeometry::readOutBox() const
{
    return {juce::roundToInt(plotRight - 294.0f * scale), juce::roundToInt(baselineY + 8.0f * scale),
            roundHalfAway(284.0f * scale), roundHalfAway(18.0f * scale)};
}

juce::Rectangle<int> PlotGeometry::clipCaptionBox(float clipY) const
{
    return {(int) (plotX + plotW) - roundHalfAway(94.0f * scale), (int) clipY - roundHalfAway(18.0f * scale),
            roundHalfAway(88.0f * scale), roundHalfAway(16.0f * scale)};
}

std::array<juce::Rectangle<float>, 2> PlotGeometry::legendItems() const
{
    const float x = displayArea.getX() + 10.0f * scale;
    const float available = std::max(0.0f, displayArea.getWidth() - 20.0f * scale);
    const float shapedWidth = std::min(available, 104.0f * scale);
    const float height = 20.0f * scale;
    return {{{x, displayArea.getY(), shapedWidth, height},
             {x + shapedWidth, displayArea.getY(), std::min(available - shapedWidth, 76.0f * scale), height}}};
}

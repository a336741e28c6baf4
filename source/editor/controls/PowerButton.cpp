#include "editor/controls/PowerButton.h"

#include "editor/look/Palette.h"

PowerButton::PowerButton(juce::RangedAudioParameter* power, std::function<void(bool)> onChange)
    : juce::Button("Power"), onPowerChange(std::move(onChange))
{
    if (power == nullptr)
        return;
    attachment =
        std::make_unique<juce::ParameterAttachment>(*power, [this](float on) { showPowerState(on >= 0.5f); });
    onClick = [this] { attachment->setValueAsCompleteGesture(getToggleState() ? 0.0f : 1.0f); };
    attachment->sendInitialUpdate();
}

void PowerButton::showPowerState(bool on)
{
    setToggleState(on, juce::dontSendNotification);
    if (onPowerChange)
        onPowerChange(on);
}

// A dark rounded square with a ring and the power symbol: purple with a glow when on, grey
// without glow when off; hovering and pressing only brighten it.
void PowerButton::paintButton(juce::Graphics& g, bool shouldDrawButtonAsHighlighted,
                              bool shouldDrawButtonAsDown)
{
    const float w = (float)std::max(0, getWidth() - 2);
    const float h = (float)std::max(0, getHeight() - 2);
    const bool on = getToggleState();

    g.setColour(palette::panel::powerBackground);
    const float corner = 10.0f * scale;
    g.fillRoundedRectangle(1.0f, 1.0f, w, h, corner);

    auto c = on ? palette::panel::powerOn : palette::panel::powerOff;
    if (shouldDrawButtonAsHighlighted)
        c = c.brighter(0.15f);
    if (shouldDrawButtonAsDown)
        c = c.brighter(0.22f);

    g.setColour(c);
    g.drawRoundedRectangle(1.0f, 1.0f, w, h, corner, 1.0f);

    // The ring, open at the top, and the stem from above it into it.
    const float cx = 1.0f + w * 0.5f;
    const float cy = 1.0f + h * 0.5f;
    const float r = w * 0.22f;
    constexpr float pi = juce::MathConstants<float>::pi;
    juce::Path symbol;
    symbol.addCentredArc(cx, cy, r, r, 0.0f, 0.24f * pi, 1.76f * pi, true);
    symbol.startNewSubPath(cx, cy - r - h * 0.04f);
    symbol.lineTo(cx, cy - h * 0.06f);

    const juce::PathStrokeType::JointStyle joints = juce::PathStrokeType::curved;
    g.setColour(c.withAlpha(on ? (juce::uint8)0x33 : (juce::uint8)0));
    g.strokePath(symbol, juce::PathStrokeType(4.8f * scale, joints, juce::PathStrokeType::rounded));
    g.setColour(c);
    g.strokePath(symbol, juce::PathStrokeType(2.0f * scale, joints, juce::PathStrokeType::rounded));
}

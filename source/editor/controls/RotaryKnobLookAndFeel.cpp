#include "editor/controls/RotaryKnobLookAndFeel.h"

#include "editor/look/Palette.h"

namespace
{
constexpr float arcStart = 1.2f * juce::MathConstants<float>::pi;
constexpr float arcEnd = 2.8f * juce::MathConstants<float>::pi;

juce::PathStrokeType roundStroke(float width)
{
    return {width, juce::PathStrokeType::curved, juce::PathStrokeType::rounded};
}
} // namespace

float RotaryKnobLookAndFeel::arcOrigin(juce::Slider& slider)
{
    const bool spansZero = slider.getMinimum() < 0.0 && slider.getMaximum() > 0.0;
    return spansZero ? (float)slider.valueToProportionOfLength(0.0) : 0.0f;
}

// The arc always runs over 288 degrees, from about 7 o'clock over the top to about 5 o'clock,
// whatever angles the slider passes in.
void RotaryKnobLookAndFeel::drawRotarySlider(juce::Graphics& g, int x, int y, int width, int height,
                                             float sliderPosProportional, float, float, juce::Slider& slider)
{
    const float w = (float)width;
    const float h = (float)height;

    const float size = std::min(w, h);
    const float inset = w * 0.08f;
    const float left = (float)x + (w - size) * 0.5f + inset;
    const float top = (float)y + (h - size) * 0.5f + inset;
    const float d = std::max(0.0f, size - 2.0f * inset);

    // Shadow, body and face.
    g.setColour(palette::panel::knobShadow);
    g.fillEllipse(left, top + d * 0.05f, d, d);
    g.setGradientFill(juce::ColourGradient(palette::panel::knobBodyLight, left, top,
                                           palette::panel::knobBodyDark, left + d, top + d, false));
    g.fillEllipse(left, top, d, d);

    const float faceInset = d * 0.13f;
    const float left2 = left + faceInset;
    const float top2 = top + faceInset;
    const float d2 = std::max(0.0f, d - 2.0f * faceInset);
    g.setGradientFill(juce::ColourGradient(palette::panel::knobFaceLight, left2, top2,
                                           palette::panel::knobFaceDark, left2, top2 + d2, false));
    g.fillEllipse(left2, top2, d2, d2);

    // Track and value arc over the body's rim.
    const float cx = left + d * 0.5f;
    const float cy = top + d * 0.5f;
    const float r = d * 0.48f;

    juce::Path track;
    track.addCentredArc(cx, cy, r, r, 0.0f, arcStart, arcEnd, true);
    g.setColour(palette::panel::knobTrack);
    g.strokePath(track, roundStroke(d * 0.034f));

    const float angle = arcStart + sliderPosProportional * (arcEnd - arcStart);
    const float origin = arcStart + arcOrigin(slider) * (arcEnd - arcStart);
    juce::Path valueArc;
    valueArc.addCentredArc(cx, cy, r, r, 0.0f, std::min(origin, angle), std::max(origin, angle), true);
    const auto arcColour = powerOn ? palette::accent : palette::panel::knobArcOff;
    g.setColour(arcColour.withAlpha((juce::uint8)0x38));
    g.strokePath(valueArc, roundStroke(d * 0.075f));
    g.setColour(arcColour);
    g.strokePath(valueArc, roundStroke(d * 0.03f));

    // Pointer: as wide at any knob size of a panel, from the centre out to 34 % of the face.
    const float pointerWidth = 3.6f * scale;
    const float pointerCorner = 1.4f * scale;
    juce::Path pointer;
    pointer.addRoundedRectangle(-pointerWidth * 0.5f, -d2 * 0.34f, pointerWidth, d2 * 0.34f, pointerCorner,
                                pointerCorner, true, true, true, true);
    g.setColour(palette::panel::knobPointer);
    g.fillPath(pointer,
               juce::AffineTransform::rotation(angle).translated(left2 + d2 * 0.5f, top2 + d2 * 0.5f));
}

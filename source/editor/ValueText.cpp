#include "editor/TarvoltGUI.h"

#include <cmath>

// The read-out's unit follows the knob: decibels with a sign for the gains, percent for the amounts.
juce::String TarvoltGUI::formatValueText(const juce::Slider& slider)
{
    const auto name = slider.getName().toLowerCase();
    const float v = (float) slider.getValue();
    const juce::String number(v, 1);

    if (name == "attack" || name == "sustain" || name == "output")
        return (v > 0.0f ? "+" : "") + number + " dB";
    if (name == "sensitivity" || name == "punch" || name == "clip" || name == "mix")
        return number + "%";
    return number;
}

void TarvoltGUI::applyTypedValue(juce::Slider& slider, const juce::String& text)
{
    auto s = text;
    if (s.contains("dB"))
        s = s.upToFirstOccurrenceOf("dB", false, false);
    if (s.contains("%"))
        s = s.upToFirstOccurrenceOf("%", false, false);
    s = s.removeCharacters(" \t");

    if (s.isNotEmpty())
    {
        // The leading number; text without one reads as 0. Out-of-range values are clamped.
        double v = s.getDoubleValue();
        if (std::isnan(v)) // "nan" cannot be typed, but a caller could pass it
            v = 0.0;
        v = v < slider.getMinimum() ? slider.getMinimum() : std::min(v, slider.getMaximum());
        slider.setValue(v, juce::sendNotificationSync);
    }

    refreshValueLabels();
}

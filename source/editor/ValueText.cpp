#include "editor/TarvoltGUI.h"

#include <cmath>

void TarvoltGUI::applyTypedValue(size_t index, const juce::String& text)
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
        auto& knob = knobs[index];
        double v = s.getDoubleValue();
        if (std::isnan(v)) // "nan" cannot be typed, but a caller could pass it
            v = 0.0;
        v = v < knob.getMinimum() ? knob.getMinimum() : std::min(v, knob.getMaximum());
        knob.setValue(v, juce::sendNotificationSync);
    }

    // The value may not have changed (or only within the knob's step): show its own text again.
    refreshValueLabel(index);
}

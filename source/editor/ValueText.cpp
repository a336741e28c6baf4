#include "editor/TarvoltGUI.h"

// The text is read as the tools read --set values (parseTypedValue), but forgivingly: text that is
// not exactly a value sets the number it starts with (0 when none), and a number out of range is
// clamped. Text with nothing but units and spaces leaves the value as it is.
void TarvoltGUI::applyTypedValue(size_t index, const juce::String& text)
{
    const auto typed = parseTypedValue(panel::knobSpec(index), text);
    if (!typed.blank)
        knobs[index].setValue(typed.plain, juce::sendNotificationSync);

    // The value may not have changed (or only within the knob's step): show its own text again.
    refreshValueLabel(index);
}

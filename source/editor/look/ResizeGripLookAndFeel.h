#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The look of the editor's resize grip (the framework's corner resizer): three short diagonal
// strokes in the corner.
class ResizeGripLookAndFeel : public juce::LookAndFeel_V4
{
public:
    void drawCornerResizer(juce::Graphics& g, int w, int h, bool isMouseOver, bool isMouseDragging) override;
};

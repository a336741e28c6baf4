#include "editor/look/ResizeGripLookAndFeel.h"

#include "editor/look/Palette.h"

#include <algorithm>

void ResizeGripLookAndFeel::drawCornerResizer(juce::Graphics& g, int w, int h, bool isMouseOver,
                                              bool isMouseDragging)
{
    g.setColour(isMouseOver || isMouseDragging ? palette::panel::resizeGripActive
                                               : palette::panel::resizeGrip);
    const float right = (float)w - 3.0f, bottom = (float)h - 3.0f;
    const float size = std::min(right, bottom);
    for (const float share : {0.33f, 0.66f, 1.0f})
        g.drawLine(right - size * share, bottom, right, bottom - size * share, 1.5f);
}

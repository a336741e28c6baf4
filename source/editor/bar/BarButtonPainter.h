#pragma once

#include "editor/look/Palette.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The body shared by the menu bar's buttons and the dialogs' buttons: a dark rounded
// rectangle that lightens under the mouse and when pressed, with a blue-grey outline.
inline void paintBarButtonBody(juce::Graphics& g, float width, float height, bool isOver, bool isDown)
{
    const juce::Rectangle<float> body(0.5f, 0.5f, std::max(width - 1.0f, 0.0f), std::max(height - 1.0f, 0.0f));
    g.setColour(isDown ? palette::bar::buttonFillPressed : isOver ? palette::bar::buttonFillHover : palette::bar::buttonFill);
    g.fillRoundedRectangle(body, 5.0f);
    g.setColour(palette::bar::outline);
    g.drawRoundedRectangle(body, 5.0f, 1.0f);
}

#pragma once

#include "state/ProductInfo.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The editor window's opening size and its resize limits, from the usable area of the display
// that shows it (logical pixels) and the layout fields of ProductInfo.
struct EditorSize
{
    int width = 1, height = 1;
    int minWidth = 1, minHeight = 1, maxWidth = 1, maxHeight = 1;
    double aspectRatio = 1.0; // width / height, kept fixed while resizing
};

EditorSize computeEditorSize(juce::Rectangle<int> userArea, const ProductInfo& layout);

// The usable area (without task bars) of the display the editor opens on, in logical pixels.
// windowBounds are the screen bounds of the window that holds the editor, empty while it is not
// on screen yet: then the main display is taken, never whichever display the list names last.
// With a window on screen, the display that holds most of it (the main one when it is on none).
// Without a main display, the bounding box of all usable areas.
juce::Rectangle<int> chooseDisplayUserArea(const juce::Array<juce::Displays::Display>& displays,
                                           juce::Rectangle<int> windowBounds);

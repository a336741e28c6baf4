#pragma once

#include "processor/ProductInfo.h"

#include <juce_graphics/juce_graphics.h>

// The editor window's opening size and its resize limits, from the usable area of the display
// that shows it (logical pixels) and the layout fields of ProductInfo.
struct EditorSize
{
    int width = 1, height = 1;
    int minWidth = 1, minHeight = 1, maxWidth = 1, maxHeight = 1;
    double aspectRatio = 1.0; // width / height, kept fixed while resizing
};

EditorSize computeEditorSize(juce::Rectangle<int> userArea, const ProductInfo& layout);

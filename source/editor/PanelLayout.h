#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// Every rectangle of the main panel for a given panel size: the areas the panel paints into and
// the bounds of its child controls. Pure, so the layout can be checked without a screen.
struct PanelLayout
{
    static constexpr int numKnobs = 7;

    static constexpr size_t numGroups = 2, buttonsPerGroup = 3;

    juce::Rectangle<float> headerArea, leftColumnArea, centreArea, knobRowArea, rightColumnArea, displayArea;
    juce::Rectangle<float> inputMeterArea, outputMeterArea;

    // In the panel's knob order: attack, sustain, sensitivity (the left column, top to bottom),
    // punch, clip, mix, output (the row under the display, left to right). A knob's caption is
    // drawn at the top of its cell.
    std::array<juce::Rectangle<float>, numKnobs> knobCells;
    std::array<juce::Rectangle<int>, numKnobs> knobBounds;
    std::array<juce::Rectangle<int>, numKnobs> valueLabelBounds;

    // The selector groups in the right column, top to bottom (focus, mode): each a caption strip
    // and three buttons, top to bottom.
    std::array<juce::Rectangle<float>, numGroups> selectorTitleAreas;
    std::array<std::array<juce::Rectangle<int>, buttonsPerGroup>, numGroups> selectorButtonBounds;

    juce::Rectangle<int> powerButtonBounds;

    juce::Rectangle<int> selectorBounds(size_t group, size_t row) const { return selectorButtonBounds[group][row]; }
};

PanelLayout computePanelLayout(float width, float height);

// A knob's square in its cell: side min(cell height * heightShare, cell width * 0.9), centred and
// pushed down by cell height * push, rounded to whole pixels.
juce::Rectangle<int> knobBoundsInCell(juce::Rectangle<float> cell, float heightShare, float push);

// The value read-out under a knob: 16 % wider than the knob, overlapping its bottom edge by 2 pixels.
juce::Rectangle<int> valueLabelBoundsUnder(juce::Rectangle<float> knob);

// A selector group: caption strip on top, then three buttons (top, middle, bottom), each after a gap.
struct ButtonGroupLayout
{
    juce::Rectangle<float> titleArea;
    std::array<juce::Rectangle<int>, PanelLayout::buttonsPerGroup> buttons;
};

ButtonGroupLayout layoutButtonGroup(juce::Rectangle<float> group);

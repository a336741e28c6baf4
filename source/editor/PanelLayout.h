#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// Every rectangle of the main panel for a given panel size: the areas the panel paints into and
// the bounds of its child controls. Pure, so the layout can be checked without a screen.
struct PanelLayout
{
    static constexpr int numKnobs = 7;

    juce::Rectangle<float> headerArea, leftColumnArea, centreArea, knobRowArea, rightColumnArea, displayArea;
    juce::Rectangle<float> attackArea, sustainArea, sensitivityArea, punchArea, clipArea, mixArea, outputArea;
    juce::Rectangle<float> inputMeterArea, outputMeterArea, focusTitleArea, modeTitleArea;

    // In the panel's knob order: attack, sustain, sensitivity, punch, clip, mix, output.
    std::array<juce::Rectangle<int>, numKnobs> knobBounds;
    std::array<juce::Rectangle<int>, numKnobs> valueLabelBounds;

    // Top to bottom: HIGH, FULL, LOW.
    std::array<juce::Rectangle<int>, 3> focusButtonBounds;
    // Top to bottom: TIGHT, PUNCH, SMOOTH.
    std::array<juce::Rectangle<int>, 3> modeButtonBounds;

    juce::Rectangle<int> powerButtonBounds;

    // The knob cells in knob order.
    std::array<juce::Rectangle<float>, numKnobs> knobCells() const
    {
        return {attackArea, sustainArea, sensitivityArea, punchArea, clipArea, mixArea, outputArea};
    }
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
    std::array<juce::Rectangle<int>, 3> buttons;
};

ButtonGroupLayout layoutButtonGroup(juce::Rectangle<float> group);

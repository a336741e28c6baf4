#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// Every rectangle of the main panel for a given panel size: the areas the panel paints into, the
// bounds of its child controls and where its texts go. Pure, so the layout can be checked without
// a screen.
struct PanelLayout
{
    static constexpr int numKnobs = 7;
    static constexpr int knobsInLeftColumn = 3; // the rest sit in the row under the display

    // The panel the picture is designed at (the editor's 1256 x 780 less its menu bar). Text,
    // margins and strokes are sized for it and scale with the panel from there.
    static constexpr float referenceWidth = 1256.0f, referenceHeight = 710.0f;

    // Sizes of the reference panel times this give the same proportions at any size: the smaller
    // of the two ratios to the reference, so that a panel of another shape never overfills.
    float scale = 1.0f;

    static constexpr size_t numGroups = 2, buttonsPerGroup = 3;

    juce::Rectangle<float> headerArea, leftColumnArea, centreArea, knobRowArea, rightColumnArea, displayArea;

    // The title and the subtitle under it, each centred at the top of its box (bold title, plain
    // subtitle).
    juce::Rectangle<int> titleBox, subtitleBox;
    float titleFontHeight = 0.0f, subtitleFontHeight = 0.0f;
    juce::Rectangle<float> inputMeterArea, outputMeterArea;

    // In the panel's knob order: attack, sustain, sensitivity (the left column, top to bottom),
    // punch, clip, mix, output (the row under the display, left to right). A knob's caption is
    // drawn at the top of its cell.
    std::array<juce::Rectangle<float>, numKnobs> knobCells;
    std::array<juce::Rectangle<int>, numKnobs> knobBounds;
    std::array<juce::Rectangle<int>, numKnobs> valueLabelBounds;
    std::array<juce::Rectangle<int>, numKnobs> captionBoxes; // the caption's text is centred in it
    std::array<const char*, numKnobs> captions{};           // the knob's caption, or its short one where that does not fit
    float captionFontHeight = 0.0f;                          // bold
    float readOutFontHeight = 0.0f;                          // bold
    juce::BorderSize<int> readOutBorder;                     // the read-out's text keeps inside it

    // The selector groups in the right column, top to bottom (focus, mode): each a caption strip
    // and three buttons, top to bottom.
    std::array<juce::Rectangle<float>, numGroups> selectorTitleAreas;
    std::array<std::array<juce::Rectangle<int>, buttonsPerGroup>, numGroups> selectorButtonBounds;
    float groupTitleFontHeight = 0.0f; // bold

    juce::Rectangle<int> powerButtonBounds;

    juce::Rectangle<int> selectorBounds(size_t group, size_t row) const { return selectorButtonBounds[group][row]; }
};

PanelLayout computePanelLayout(float width, float height);

// A knob's square in its cell and its read-out under it. The square's side is min(cell height *
// heightShare, cell width * 0.9), centred in the cell and pushed down by cell height * push; but the
// knob's disc stays below its caption's text and the read-out's text above bottomLimit, and the
// knob shrinks when both do not fit. The read-out is 16 % wider than the knob (at least
// readOutWidth) and centred under it, its text a little below the disc.
struct KnobPlacement
{
    juce::Rectangle<int> knob, readOut;
};
KnobPlacement placeKnob(juce::Rectangle<float> cell, float captionTextBottom, float bottomLimit, float heightShare,
                        float push, float readOutFontHeight, float readOutWidth, float scale);

// A selector group: caption strip on top, then three buttons (top, middle, bottom), each after a gap.
struct ButtonGroupLayout
{
    juce::Rectangle<float> titleArea;
    std::array<juce::Rectangle<int>, PanelLayout::buttonsPerGroup> buttons;
};

// Selector buttons are never less than this tall, to stay readable and easy to hit.
inline constexpr float minimumSelectorHeight = 12.0f;

ButtonGroupLayout layoutButtonGroup(juce::Rectangle<float> group, float scale);

// The least height of a group that holds its caption strip, its gaps and three buttons of the
// minimum height.
float minimumButtonGroupHeight(float scale);

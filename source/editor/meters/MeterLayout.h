#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// The segmented level meter's geometry and lighting, as pure functions of its area and level.
//
// From the top: the caption, the peak box (the highest peak in dB, or OVER), then the dark trough
// with a column of segments per channel (two where the trough is wide enough, else one) and the
// dB scale's labels in a gutter at its left. A meter position runs from 0 (-60 dBFS) at the
// inner area's foot to 1 (0 dBFS) at its top. What a small meter has no room for is left out: the
// scale's labels first, then the peak box.
struct MeterLayout
{
    static constexpr float floorDb = -60.0f; // at position 0
    // The scale's marks, top to bottom.
    static constexpr std::array<float, 5> markDb{0.0f, -6.0f, -12.0f, -24.0f, -48.0f};
    static constexpr std::array<const char*, 5> markTexts{"0", "-6", "-12", "-24", "-48"};

    juce::Rectangle<float> captionArea; // the strip the caption is centred in
    float captionFontHeight = 13.0f;
    juce::Rectangle<int> peakBox; // empty when left out
    float textFontHeight = 9.0f;  // the peak box and the scale
    juce::Rectangle<float> bar;   // the dark trough
    juce::Rectangle<float> inner; // where the segments sit
    int channels = 1;             // columns of segments
    int count = 4;                // segments per column
    float gap = 1.0f;
    float segmentHeight = 2.0f;
    float corner = 1.0f;

    // The scale's labels, right-aligned in the gutter, centred on their marks; a label that would
    // touch the one above it is left out (no text), and all of them on a meter too narrow.
    struct Label
    {
        const char* text = nullptr;
        juce::Rectangle<int> box;
    };
    std::array<Label, markDb.size()> scaleLabels{};

    // Channel c's column of the inner area.
    juce::Rectangle<float> column(int channel) const;
    // Segment i of channel c's column, counted from the bottom.
    juce::Rectangle<float> segment(int i, int channel = 0) const;
    // The height of a meter position (0 to 1) in the inner area.
    float yForPosition(float position) const;
};

// scale: the panel's (PanelLayout::scale); the caption and the segments keep its proportions.
MeterLayout layoutLevelMeter(juce::Rectangle<float> area, float scale = 1.0f);

// About one segment per 17 pixels of inner height on the reference panel, 4 to 10.
int meterSegmentCount(float innerHeight, float scale = 1.0f);

// A segment lights when power is on and the level reaches its threshold (i + 1) / count - 0.08.
bool isMeterSegmentLit(int i, int count, float level, bool powerOn);

// Violet, the top two of ten lighter, grey with power off; an unlit segment shows its colour dimmed.
juce::Colour meterSegmentColour(int i, bool powerOn, bool lit);

// The peak box's text: the level in dB to a tenth ("-3.2", "0.0"), "-inf" at position 0.
juce::String meterPeakText(float position);

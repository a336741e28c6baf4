#pragma once

#include <juce_graphics/juce_graphics.h>

// The segmented level meter's geometry and lighting, as pure functions of its area and level.
struct MeterLayout
{
    juce::Rectangle<float> captionArea; // the strip the caption is centred in
    float captionFontHeight = 13.0f;
    juce::Rectangle<float> bar;   // the dark trough
    juce::Rectangle<float> inner; // where the segments sit
    int count = 4;                // number of segments
    float gap = 1.0f;
    float segmentHeight = 2.0f;
    float corner = 1.0f;

    // Segment i, counted from the bottom.
    juce::Rectangle<float> segment(int i) const;
};

// scale: the panel's (PanelLayout::scale); the caption and the segments keep its proportions.
MeterLayout layoutLevelMeter(juce::Rectangle<float> area, float scale = 1.0f);

// About one segment per 17 pixels of inner height on the reference panel, 4 to 10.
int meterSegmentCount(float innerHeight, float scale = 1.0f);

// A segment lights when power is on and the level reaches its threshold (i + 1) / count - 0.08.
bool isMeterSegmentLit(int i, int count, float level, bool powerOn);

// Violet, the top two of ten lighter, grey with power off; an unlit segment shows its colour dimmed.
juce::Colour meterSegmentColour(int i, bool powerOn, bool lit);

#pragma once

#include "editor/display/DisplayModel.h"

#include <juce_graphics/juce_graphics.h>

#include <array>

// Where the plot and the display's texts sit inside the display area, and how values map onto the
// plot. Margins and strokes are those of the reference panel times scale (PanelLayout::scale);
// texts never go below the least text height (TextSize.h), and what does not fit at that size is
// left out: the legend's later items, then the read-out; the inner time labels.
//
// The display area holds, from the top: the legend row (the curves' swatches and captions from
// the left, the read-out line from the right), then the dark frame. In the frame the curves take
// the middle; the gain axis's labels a gutter at the right, the live view's level labels one at
// the left (the model has none); the time axis runs under the curves.
struct PlotGeometry
{
    juce::Rectangle<float> displayArea;
    float scale = 1.0f;
    juce::Rectangle<float> frame; // the dark background, gutters and time axis included
    float plotX = 0.0f, plotY = 0.0f, plotW = 0.0f, plotH = 0.0f, plotRight = 0.0f; // the curves' area
    float baselineY = 0.0f; // the zero line, at 83 % of the plot's height
    float curveSpan = 0.0f; // from the zero line up to the plot's top

    // The legend's items, left to right: the model's first three, the live view's all four.
    static constexpr int maxLegendItems = 4;
    static constexpr std::array<const char*, maxLegendItems> legendCaptions{"SHAPED", "DRY", "GAIN", "TRANSIENT"};
    // The widest read-out line (displayReadOut): the legend row keeps room for it.
    static constexpr const char* widestReadOut = "HQ  LINK  MIX 100%  CLIP 100%";
    // The gain axis: +-gainRangeDb over the curves' height.
    static constexpr float gainRangeDb = 12.0f;

    // levelGutter: room at the left for the live view's level labels ("0 dB", "-12 dB").
    static PlotGeometry forDisplayArea(juce::Rectangle<float> displayArea, float scale = 1.0f,
                                       int numLegendItems = 3, bool levelGutter = false);

    // A text and the box it is drawn in; no text (null) when it is left out.
    struct Label
    {
        const char* text = nullptr;
        juce::Rectangle<int> box;
        juce::Justification justification = juce::Justification::left;
    };

    // Font heights: the time axis, the read-out and the axes' labels (plain); the legend and the
    // clip line's caption (bold).
    float axisFontHeight() const;
    float captionFontHeight() const;

    // Under the curves, the first at the left edge, the last at the right, the three inner ones
    // centred on their grid lines (left out when they would run into a neighbour).
    std::array<Label, 5> timeAxisLabels(const std::array<const char*, 5>& texts) const;
    std::array<Label, 5> timeAxisLabels() const { return timeAxisLabels({"0 ms", "125 ms", "250 ms", "375 ms", "500 ms"}); }

    // The legend items shown, along the top of the display area: a swatch, then the caption.
    int numLegendItems = 0;
    std::array<juce::Rectangle<float>, maxLegendItems> legendItems{};
    float legendSwatchWidth(juce::Rectangle<float> item) const { return std::min(item.getWidth(), swatchColumn); }
    // The read-out line, right-aligned at the end of the legend row; empty when it does not fit.
    juce::Rectangle<int> readOutBox;

    // The gain axis: +12 dB at the top of the curves' span, 0 in its middle, -12 dB at its foot,
    // labelled in the right gutter.
    float gainTop = 0.0f, gainBottom = 0.0f;
    float yForGain(float gainDb) const;
    std::array<Label, 3> gainLabels() const;

    // The clip line's caption, right-aligned just above the line at height clipY, kept inside the
    // curves' area.
    juce::Rectangle<int> clipCaptionBox(float clipY) const;

    // The curves' area.
    juce::Rectangle<float> plotArea() const { return {plotX, plotY, plotW, plotH}; }

    // Pixels per unit for a model: the peak reaches 1/1.12 of the span.
    float scaleFor(const DisplayModel& model) const { return curveSpan / (model.peak * 1.12f); }

    // The height of value v, kept between the plot's top and the zero line.
    float yFor(float v, float pixelsPerUnit) const
    {
        return juce::jlimit(plotY, baselineY, baselineY - pixelsPerUnit * v);
    }

    // The x of point k of numPoints.
    float xFor(int k, int numPoints) const { return plotX + plotW * (float) k / (float) (numPoints - 1); }

    // A text's box centred on height y, kept inside [top, bottom] (when it fits there).
    static juce::Rectangle<int> boxCentredOn(float y, float x, float width, float height, float top, float bottom);

private:
    float swatchColumn = 20.0f;
};

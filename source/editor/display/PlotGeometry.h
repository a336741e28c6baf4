#pragma once

#include "editor/display/DisplayModel.h"

#include <juce_graphics/juce_graphics.h>

#include <array>

// Where the plot and the display's texts sit inside the display area, and how values map onto the
// plot. Margins, text and strokes are those of the reference panel times scale (PanelLayout::scale).
struct PlotGeometry
{
    juce::Rectangle<float> displayArea;
    float scale = 1.0f;
    float plotX = 0.0f, plotY = 0.0f, plotW = 0.0f, plotH = 0.0f, plotRight = 0.0f;
    float baselineY = 0.0f; // the zero line, at 83 % of the plot's height
    float curveSpan = 0.0f; // from the zero line up to the plot's top

    static PlotGeometry forDisplayArea(juce::Rectangle<float> displayArea, float scale = 1.0f);

    // A text and the box it is drawn in.
    struct Label
    {
        const char* text;
        juce::Rectangle<int> box;
        juce::Justification justification;
    };

    // Font heights: the time axis and the mix and clip read-out (plain); the legend and the clip
    // line's caption (bold).
    float axisFontHeight() const { return 12.0f * scale; }
    float captionFontHeight() const { return 11.0f * scale; }

    // 0 ms to 500 ms under the plot, the three inner ones centred on their grid lines.
    std::array<Label, 5> timeAxisLabels() const;
    // The mix and clip read-out, right-aligned under the zero line.
    juce::Rectangle<int> readOutBox() const;
    // The clip line's caption, right-aligned just above the line at height clipY.
    juce::Rectangle<int> clipCaptionBox(float clipY) const;
    // The two legend items (SHAPED, DRY) along the top of the display area: a swatch, then the caption.
    std::array<juce::Rectangle<float>, 2> legendItems() const;
    float legendSwatchWidth(juce::Rectangle<float> item) const
    {
        return std::min(item.getWidth(), 20.0f * scale);
    }

    juce::Rectangle<float> plotArea() const { return {plotX, plotY, plotW, plotH}; }

    // Pixels per unit for a model: the peak reaches 1/1.12 of the span.
    float scaleFor(const DisplayModel& model) const { return curveSpan / (model.peak * 1.12f); }

    // The height of value v, kept between the plot's top and the zero line.
    float yFor(float v, float pixelsPerUnit) const
    {
        return juce::jlimit(plotY, baselineY, baselineY - pixelsPerUnit * v);
    }

    // The x of point k of numPoints.
    float xFor(int k, int numPoints) const { return plotX + plotW * (float)k / (float)(numPoints - 1); }
};

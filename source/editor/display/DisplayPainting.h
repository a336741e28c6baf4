#pragma once

#include "editor/display/PlotGeometry.h"
#include "editor/look/Palette.h"
#include "compat/JuceCompat.h"

#include <array>
#include <cmath>

// Drawing helpers shared by the signal display's two views (the model and the live signal).
namespace displayPainting
{
// Alphas outside 0..1 mean fully transparent or fully opaque.
inline juce::Colour withAlphaClamped(juce::Colour c, float alpha)
{
    return c.withAlpha(juce::jlimit(0.0f, 1.0f, alpha));
}

inline void strokeRound(juce::Graphics& g, const juce::Path& path, juce::Colour colour, float width)
{
    g.setColour(colour);
    g.strokePath(path, juce::PathStrokeType(width, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

// A line that stays readable over a fill: first a dark halo of the plot's colour around it (as
// opaque as the line, a little more than half).
inline void strokeOverFill(juce::Graphics& g, const juce::Path& path, juce::Colour colour, float width, float scale)
{
    strokeRound(g, path, palette::panel::plot.withAlpha(0.55f * colour.getFloatAlpha()), width + 2.4f * scale);
    strokeRound(g, path, colour, width);
}

// The shaped curve's colour: the accent, a fifth of the way towards the second accent.
inline juce::Colour shapedCurveColour()
{
    return palette::accent.interpolatedWith(palette::secondaryAccent, 0.2f);
}

// The legend's swatch colours, in the order of PlotGeometry::legendCaptions.
inline std::array<juce::Colour, PlotGeometry::maxLegendItems> legendColours()
{
    return {shapedCurveColour(), palette::panel::dryCurve, palette::panel::gainCurve, palette::panel::transientBand};
}

// The five vertical grid lines at the quarters of the plot, down to the zero line.
inline void drawVerticalGrid(juce::Graphics& g, const PlotGeometry& p)
{
    if (!(p.baselineY > p.plotY))
        return;
    for (int i = 0; i <= 4; ++i)
    {
        const float x = std::round(p.plotX + (float) i * p.plotW * 0.25f);
        const bool outer = i == 0 || i == 4;
        g.setColour(outer ? palette::panel::gridOuter : palette::panel::gridInner);
        g.fillRect(juce::Rectangle<float>(x, p.plotY, 1.0f, p.curveSpan));
    }
}

// Axis labels, in the display's text colour unless given another; labels left out (no text) are
// skipped.
template <size_t n>
void drawLabels(juce::Graphics& g, const PlotGeometry& p, const std::array<PlotGeometry::Label, n>& labels,
                juce::Colour colour = palette::panel::displayText)
{
    g.setColour(colour);
    g.setFont(compat::makeFont(p.axisFontHeight()));
    for (const auto& label : labels)
        if (label.text != nullptr)
            g.drawText(label.text, label.box, label.justification, false);
}

// The legend's first n items: a swatch of each curve's colour, then its caption.
inline void drawLegend(juce::Graphics& g, const PlotGeometry& p)
{
    const auto colours = legendColours();
    g.setFont(compat::makeFont(p.captionFontHeight(), juce::Font::bold));
    for (int i = 0; i < p.numLegendItems; ++i)
    {
        const auto rect = p.legendItems[(size_t) i];
        const float sw = p.legendSwatchWidth(rect);
        const float swatchW = 16.0f * p.scale, swatchH = 4.0f * p.scale;
        g.setColour(colours[(size_t) i]);
        g.fillRoundedRectangle(rect.getX() + (sw - swatchW) * 0.5f, rect.getY() + (rect.getHeight() - swatchH) * 0.5f,
                               swatchW, swatchH, 2.0f * p.scale);
        g.setColour(palette::panel::legendText);
        g.drawText(PlotGeometry::legendCaptions[(size_t) i], rect.withTrimmedLeft(sw).toNearestInt(),
                   juce::Justification::centredLeft, false);
    }
}

// The read-out line at the right end of the legend row, when it has room there.
inline void drawReadOut(juce::Graphics& g, const PlotGeometry& p, const juce::String& text)
{
    if (p.readOutBox.isEmpty())
        return;
    g.setColour(palette::panel::displayText);
    g.setFont(compat::makeFont(p.axisFontHeight()));
    g.drawText(text, p.readOutBox, juce::Justification::centredRight, false);
}

// The gain trace: a point's gain in dB on the gain axis; NaN breaks the line.
template <typename GainAt>
void drawGainTrace(juce::Graphics& g, const PlotGeometry& p, int numPoints, GainAt gainAt, float opacity = 1.0f)
{
    juce::Path trace;
    bool drawing = false;
    for (int k = 0; k < numPoints; ++k)
    {
        const auto [x, gainDb] = gainAt(k);
        if (!std::isfinite(gainDb))
        {
            drawing = false;
            continue;
        }
        const float y = p.yForGain(gainDb);
        if (drawing)
            trace.lineTo(x, y);
        else
            trace.startNewSubPath(x, y);
        drawing = true;
    }
    strokeRound(g, trace, withAlphaClamped(palette::panel::gainCurve, opacity), 1.5f * p.scale);
}

// The clip line's dashes and its caption; the caption in the full colour, the line fainter the
// less the clipper works.
inline void drawClipOnset(juce::Graphics& g, const PlotGeometry& p, float clipY, float clip)
{
    const float s = p.scale;
    g.setColour(withAlphaClamped(palette::panel::clipLine, 0.24f + 0.36f * clip));
    const float dashes[] = {5.0f * s, 5.0f * s};
    g.drawDashedLine({p.plotX, clipY, p.plotRight, clipY}, dashes, 2, 1.2f * s);
    g.setColour(palette::panel::clipLine);
    g.setFont(compat::makeFont(p.captionFontHeight(), juce::Font::bold));
    g.drawText("CLIP ONSET", p.clipCaptionBox(clipY), juce::Justification::right, false);
}
} // namespace displayPainting

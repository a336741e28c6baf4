#pragma once

#include "editor/display/PlotGeometry.h"
#include "editor/look/Palette.h"
#include "compat/JuceCompat.h"

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

// The shaped curve's colour: the accent, a fifth of the way towards the second accent.
inline juce::Colour shapedCurveColour()
{
    return palette::accent.interpolatedWith(palette::secondaryAccent, 0.2f);
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

template <size_t n>
void drawTimeAxis(juce::Graphics& g, const PlotGeometry& p, const std::array<PlotGeometry::Label, n>& labels)
{
    g.setColour(palette::panel::displayText);
    g.setFont(compat::makeFont(p.axisFontHeight()));
    for (const auto& label : labels)
        g.drawText(label.text, label.box, label.justification, false);
}

// A legend item: a swatch of the colour, then the caption.
inline void drawLegendItem(juce::Graphics& g, const PlotGeometry& p, juce::Rectangle<float> rect, juce::Colour colour,
                           const juce::String& caption)
{
    const float sw = p.legendSwatchWidth(rect);
    const float swatchW = 16.0f * p.scale, swatchH = 4.0f * p.scale;
    g.setColour(colour);
    g.fillRoundedRectangle(rect.getX() + (sw - swatchW) * 0.5f, rect.getY() + (rect.getHeight() - swatchH) * 0.5f,
                           swatchW, swatchH, 2.0f * p.scale);

    g.setColour(palette::panel::legendText);
    g.setFont(compat::makeFont(p.captionFontHeight(), juce::Font::bold));
    g.drawText(caption, rect.withTrimmedLeft(sw).toNearestInt(), juce::Justification::centredLeft, false);
}

// The clip line's dashes and its caption.
inline void drawClipOnset(juce::Graphics& g, const PlotGeometry& p, float clipY, float clip)
{
    const float s = p.scale;
    g.setColour(withAlphaClamped(palette::panel::clipLine, 0.24f + 0.36f * clip));
    const float dashes[] = {5.0f * s, 5.0f * s};
    g.drawDashedLine({p.plotX, clipY, p.plotRight, clipY}, dashes, 2, 1.2f * s);
    g.setFont(compat::makeFont(p.captionFontHeight(), juce::Font::bold));
    g.drawText("CLIP ONSET", p.clipCaptionBox(clipY), juce::Justification::right, false);
}
} // namespace displayPainting

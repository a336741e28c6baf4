#include "editor/display/ModelView.h"

#include "editor/display/DisplayPainting.h"
#include "editor/look/Palette.h"
#include "compat/JuceCompat.h"

using namespace displayPainting;

namespace modelView
{
namespace
{
void drawGrid(juce::Graphics& g, const PlotGeometry& p)
{
    drawVerticalGrid(g, p);

    if (p.plotRight > p.plotX)
    {
        g.setColour(palette::panel::gridInner);
        for (int j = 1; j <= 5; ++j)
            g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.plotY + (float) j * p.curveSpan / 6.0f), p.plotW,
                                              1.0f));
        g.setColour(palette::panel::zeroLine);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.baselineY), p.plotW, 1.0f));
    }
}
} // namespace

void paintFrame(juce::Graphics& g, const PlotGeometry& p)
{
    drawGrid(g, p);
    drawLegend(g, p);
    drawLabels(g, p, p.timeAxisLabels());
    drawLabels(g, p, p.gainLabels(), palette::panel::gainCurve); // in the gain trace's colour
}

void paintCurves(juce::Graphics& g, const PlotGeometry& p, const DisplayModel& model, const DisplaySettings& settings)
{
    const float s = p.scale;
    const float scale = p.scaleFor(model);

    juce::Path dryPath, shapedPath, fillPath;
    dryPath.startNewSubPath(p.plotX, p.baselineY);
    shapedPath.startNewSubPath(p.plotX, p.baselineY);
    fillPath.startNewSubPath(p.plotX, p.baselineY);
    for (int k = 0; k < model.numPoints; ++k)
    {
        const float x = p.xFor(k, model.numPoints);
        const float shapedY = p.yFor(model.shaped[(size_t) k], scale);
        dryPath.lineTo(x, p.yFor(model.dry[(size_t) k], scale));
        shapedPath.lineTo(x, shapedY);
        fillPath.lineTo(x, shapedY);
    }
    fillPath.lineTo(p.plotRight, p.baselineY);
    fillPath.closeSubPath();

    const auto shapedColour = shapedCurveColour();
    if (model.showsShapedCurve)
    {
        const float m = model.shapedAmount;
        g.setGradientFill(juce::ColourGradient(withAlphaClamped(shapedColour, 0.82f * m), p.plotX, p.plotY,
                                               withAlphaClamped(palette::secondaryAccent, 0.82f * m * 0.42f),
                                               p.plotRight, p.baselineY, false));
        g.fillPath(fillPath);
        strokeRound(g, shapedPath, withAlphaClamped(shapedColour, m * model.punchShow * 0.6f),
                    (2.0f + 5.0f * model.punchShow) * s);
        strokeRound(g, shapedPath, withAlphaClamped(shapedColour, m * 0.54f), 2.0f * s);
    }

    // The dry hit over the shaped one, set off by a dark halo, so that it reads where the shaped
    // fill covers it; the mix makes it lighter, never hides it.
    strokeOverFill(g, dryPath, withAlphaClamped(palette::panel::dryCurve, 0.6f + 0.3f * model.dryAlpha), 1.7f * s, s);

    drawGainTrace(g, p, model.numPoints,
                  [&](int k) { return std::pair{p.xFor(k, model.numPoints), model.gainDb[(size_t) k]}; });

    if (model.showsClipLine)
        drawClipOnset(g, p, p.baselineY - scale * model.clipLevel, model.clip);

    drawReadOut(g, p, displayReadOut(settings));
}
} // namespace modelView

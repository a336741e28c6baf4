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
            g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.plotY + (float)j * p.curveSpan / 6.0f),
                                              p.plotW, 1.0f));
        g.setColour(palette::panel::zeroLine);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.baselineY), p.plotW, 1.0f));
    }
}
} // namespace

void paintFrame(juce::Graphics& g, const PlotGeometry& p)
{
    drawGrid(g, p);

    const auto legend = p.legendItems();
    drawLegendItem(g, p, legend[0], shapedCurveColour(), "SHAPED");
    drawLegendItem(g, p, legend[1], palette::panel::dryCurve, "DRY");

    drawTimeAxis(g, p, p.timeAxisLabels());
}

void paintCurves(juce::Graphics& g, const PlotGeometry& p, const DisplaySettings& settings)
{
    const float s = p.scale;
    const auto model = computeDisplayModel(settings, settings.curvePoints);
    const float scale = p.scaleFor(model);

    juce::Path dryPath, shapedPath, fillPath;
    dryPath.startNewSubPath(p.plotX, p.baselineY);
    shapedPath.startNewSubPath(p.plotX, p.baselineY);
    fillPath.startNewSubPath(p.plotX, p.baselineY);
    for (int k = 0; k < model.numPoints; ++k)
    {
        const float x = p.xFor(k, model.numPoints);
        const float shapedY = p.yFor(model.shaped[(size_t)k], scale);
        dryPath.lineTo(x, p.yFor(model.dry[(size_t)k], scale));
        shapedPath.lineTo(x, shapedY);
        fillPath.lineTo(x, shapedY);
    }
    fillPath.lineTo(p.plotRight, p.baselineY);
    fillPath.closeSubPath();

    strokeRound(g, dryPath, withAlphaClamped(palette::panel::dryCurve, model.dryAlpha * 0.18f), 5.2f * s);
    strokeRound(g, dryPath, withAlphaClamped(palette::panel::dryCurve, model.dryAlpha * 0.86f), 1.7f * s);

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

    if (model.showsClipLine)
        drawClipOnset(g, p, p.baselineY - scale * model.clipLevel, model.clip);

    g.setColour(palette::panel::displayText);
    g.setFont(compat::makeFont(p.axisFontHeight()));
    g.drawText(displayReadOut(settings), p.readOutBox(), juce::Justification::right, false);
}
} // namespace modelView

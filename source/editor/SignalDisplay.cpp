#include "editor/DisplayModel.h"
#include "editor/DisplayPainting.h"
#include "editor/LivePlot.h"
#include "editor/Palette.h"
#include "editor/TarvoltGUI.h"
#include "plugin/JuceCompat.h"
#include "processor/TarvoltAudioProcessor.h"

#include <utility>

using namespace displayPainting;

namespace
{
void drawGrid(juce::Graphics& g, const PlotGeometry& p)
{
    drawVerticalGrid(g, p);

    if (p.plotRight > p.plotX)
    {
        g.setColour(palette::panel::gridInner);
        for (int j = 1; j <= 5; ++j)
            g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.plotY + (float) j * p.curveSpan / 6.0f), p.plotW, 1.0f));
        g.setColour(palette::panel::zeroLine);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.baselineY), p.plotW, 1.0f));
    }
}
} // namespace

// The display's parts that follow only the size, the power state and the mode: its frame, the dark
// plot and, with power on or in the live view, the grid, the legend and the time axis. None of
// them overlaps the curves.
void TarvoltGUI::drawSignalDisplayFrame(juce::Graphics& g, bool on, DisplayMode mode)
{
    const auto p = PlotGeometry::forDisplayArea(layout.displayArea, layout.scale);

    g.setColour(on ? palette::panel::displayFrame : palette::panel::displayFrameOff);
    g.drawRoundedRectangle(layout.displayArea, 10.0f * p.scale, 1.0f);
    g.setColour(palette::panel::plot);
    g.fillRoundedRectangle(p.plotArea(), 12.0f * p.scale);
    if (mode == DisplayMode::Live)
    {
        drawLiveFrame(g, LivePlot::forPlot(p));
        return;
    }
    if (!on)
        return;

    drawGrid(g, p);

    const auto legend = p.legendItems();
    drawLegendItem(g, p, legend[0], shapedCurveColour(), "SHAPED");
    drawLegendItem(g, p, legend[1], palette::panel::dryCurve, "DRY");

    drawTimeAxis(g, p, p.timeAxisLabels());
}

// A synthetic drum hit before (DRY) and after (SHAPED) a model of the shaper with the current
// settings, the clip onset and the mix and clip read-out; drawn only while power is on.
void TarvoltGUI::drawSignalDisplayCurves(juce::Graphics& g, const DisplaySettings& settings)
{
    const auto p = PlotGeometry::forDisplayArea(layout.displayArea, layout.scale);
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
        const float shapedY = p.yFor(model.shaped[(size_t) k], scale);
        dryPath.lineTo(x, p.yFor(model.dry[(size_t) k], scale));
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

// The settings the display draws, read afresh; a parameter that cannot be found reads as 0.
DisplaySettings TarvoltGUI::readDisplaySettings() const
{
    DisplaySettings s;
    for (const auto& spec : parameterSpecs)
    {
        const auto* value = processor.parameters.getRawParameterValue(spec.id);
        s.set(spec, value != nullptr ? value->load() : 0.0f);
    }
    s.powerOn = powerOn; // as the controls show it
    s.curvePoints = curvePointsFor(resolutionMode, PlotGeometry::forDisplayArea(layout.displayArea, layout.scale).plotW);
    return s;
}

void TarvoltGUI::drawLegendItem(juce::Graphics& g, const PlotGeometry& p, juce::Rectangle<float> rect,
                                juce::Colour colour, const juce::String& caption)
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

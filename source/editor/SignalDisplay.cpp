#include "editor/DisplayModel.h"
#include "editor/Palette.h"
#include "editor/TarvoltGUI.h"
#include "plugin/JuceCompat.h"
#include "processor/TarvoltAudioProcessor.h"

#include <utility>

namespace
{
// Alphas outside 0..1 mean fully transparent or fully opaque.
juce::Colour withAlphaClamped(juce::Colour c, float alpha)
{
    return c.withAlpha(juce::jlimit(0.0f, 1.0f, alpha));
}

void strokeRound(juce::Graphics& g, const juce::Path& path, juce::Colour colour, float width)
{
    g.setColour(colour);
    g.strokePath(path, juce::PathStrokeType(width, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

// The shaped curve's colour: the accent, a fifth of the way towards the second accent.
juce::Colour shapedCurveColour()
{
    return palette::accent.interpolatedWith(palette::secondaryAccent, 0.2f);
}

void drawGrid(juce::Graphics& g, const PlotGeometry& p)
{
    if (p.baselineY > p.plotY)
        for (int i = 0; i <= 4; ++i)
        {
            const float x = std::round(p.plotX + (float) i * p.plotW * 0.25f);
            const bool outer = i == 0 || i == 4;
            g.setColour(outer ? palette::panel::gridOuter : palette::panel::gridInner);
            g.fillRect(juce::Rectangle<float>(x, p.plotY, 1.0f, p.curveSpan));
        }

    if (p.plotRight > p.plotX)
    {
        g.setColour(palette::panel::gridInner);
        for (int j = 1; j <= 5; ++j)
            g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.plotY + (float) j * p.curveSpan / 6.0f), p.plotW, 1.0f));
        g.setColour(palette::panel::zeroLine);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(p.baselineY), p.plotW, 1.0f));
    }
}

void drawTimeAxis(juce::Graphics& g, const PlotGeometry& p)
{
    g.setColour(palette::panel::displayText);
    g.setFont(compat::makeFont(p.axisFontHeight()));
    for (const auto& label : p.timeAxisLabels())
        g.drawText(label.text, label.box, label.justification, false);
}
} // namespace

// The display's parts that follow only the size and the power state: its frame, the dark plot and,
// with power on, the grid, the legend and the time axis. None of them overlaps the curves.
void TarvoltGUI::drawSignalDisplayFrame(juce::Graphics& g, bool on)
{
    const auto p = PlotGeometry::forDisplayArea(layout.displayArea, layout.scale);

    g.setColour(on ? palette::panel::displayFrame : palette::panel::displayFrameOff);
    g.drawRoundedRectangle(layout.displayArea, 10.0f * p.scale, 1.0f);
    g.setColour(palette::panel::plot);
    g.fillRoundedRectangle(p.plotArea(), 12.0f * p.scale);
    if (!on)
        return;

    drawGrid(g, p);

    const auto legend = p.legendItems();
    drawLegendItem(g, p, legend[0], shapedCurveColour(), "SHAPED");
    drawLegendItem(g, p, legend[1], palette::panel::dryCurve, "DRY");

    drawTimeAxis(g, p);
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
    {
        const float clipY = p.baselineY - scale * model.clipLevel;
        g.setColour(withAlphaClamped(palette::panel::clipLine, 0.24f + 0.36f * model.clip));
        const float dashes[] = {5.0f * s, 5.0f * s};
        g.drawDashedLine({p.plotX, clipY, p.plotRight, clipY}, dashes, 2, 1.2f * s);
        g.setFont(compat::makeFont(p.captionFontHeight(), juce::Font::bold));
        g.drawText("CLIP ONSET", p.clipCaptionBox(clipY), juce::Justification::right, false);
    }

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

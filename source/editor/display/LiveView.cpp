#include "editor/display/LiveView.h"

#include "editor/display/DisplayPainting.h"
#include "editor/display/LivePlot.h"

#include <limits>
#include <optional>

using namespace displayPainting;

namespace
{
// The x of the middle of column c of n across the plot.
float columnX(const PlotGeometry& p, int c, int n)
{
    return p.plotX + p.plotW * ((float) c + 0.5f) / (float) n;
}

using Columns = std::vector<LiveHistory::Column>;

// An envelope from the columns with data: along the largest values left to right, back along
// the smallest, closed. Its ends reach the edges of their columns.
template <typename Top, typename Bottom>
juce::Path envelope(const PlotGeometry& p, const Columns& columns, int first, Top top, Bottom bottom)
{
    const int n = (int) columns.size();
    const float half = p.plotW / (float) n * 0.5f;
    juce::Path path;
    path.preallocateSpace(3 * 2 * (n - first) + 12);
    path.startNewSubPath(columnX(p, first, n) - half, top(columns[(size_t) first].summary));
    for (int c = first; c < n; ++c)
        path.lineTo(columnX(p, c, n), top(columns[(size_t) c].summary));
    path.lineTo(p.plotRight, top(columns[(size_t) n - 1].summary));
    path.lineTo(p.plotRight, bottom(columns[(size_t) n - 1].summary));
    for (int c = n - 1; c >= first; --c)
        path.lineTo(columnX(p, c, n), bottom(columns[(size_t) c].summary));
    path.lineTo(columnX(p, first, n) - half, bottom(columns[(size_t) first].summary));
    path.closeSubPath();
    return path;
}

// Where the clipper starts to bite at the output, when the clip is on and the plot shows it.
std::optional<float> clipOnsetLevelShown(const DisplaySettings& settings)
{
    const float clip = settings.audioValue(ParameterIDs::clip);
    if (!(clip > 0.04f))
        return std::nullopt;
    const float level = clipOnsetLevel(clip) * settings.audioValue(ParameterIDs::output);
    const float share = LivePlot::levelShare(level);
    if (!(share > 0.0f && share < 1.0f))
        return std::nullopt;
    return level;
}
} // namespace

void LiveView::paintFrame(juce::Graphics& g, const LivePlot& live)
{
    const auto& p = live.plot;
    drawVerticalGrid(g, p);
    if (p.plotRight > p.plotX)
    {
        g.setColour(palette::panel::zeroLine);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(live.centreY), p.plotW, 1.0f));
        g.setColour(palette::panel::gridOuter);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(live.band.getBottom()), p.plotW, 1.0f));
    }

    drawLegend(g, p);
    drawLabels(g, p, live.timeAxisLabels());
    drawLabels(g, p, p.gainLabels(), palette::panel::gainCurve); // in the gain trace's colour
    drawLabels(g, p, live.levelLabels());
}

void LiveView::paintSettings(juce::Graphics& g, const LivePlot& live, const DisplaySettings& settings)
{
    const auto& p = live.plot;
    if (p.plotRight > p.plotX)
    {
        const auto clip = clipOnsetLevelShown(settings);
        for (size_t i = 0; i < LivePlot::markLevels.size(); ++i)
        {
            g.setColour(i == 0 ? palette::panel::gridOuter : palette::panel::gridInner);
            for (const float sign : {1.0f, -1.0f})
            {
                const float y = std::round(live.yFor(sign * LivePlot::markLevels[i]));
                if (!clip || live.levelLineClearOf(y, live.yFor(sign * *clip)))
                    g.fillRect(juce::Rectangle<float>(p.plotX, y, p.plotW, 1.0f));
            }
        }
    }
    drawReadOut(g, p, displayReadOut(settings));
}

// One column per physical pixel of the plot's width: the input's envelope lightly filled, the
// output's over it, the input's edges drawn on top so that both stay readable where they differ;
// the gain trace over them, the transient band along the bottom. Everything fades with the view.
void LiveView::paintSignal(juce::Graphics& g, const LivePlot& live, const DisplaySettings& settings)
{
    const auto& p = live.plot;
    const float opacity = reader.getOpacity();

    const float pixelScale = g.getInternalContext().getPhysicalPixelScaleFactor();
    const int numColumns = juce::roundToInt(p.plotW * pixelScale);
    bool drawn = false;
    if (numColumns > 0 && live.halfSpan > 0.0f && !reader.getHistory().isEmpty() && opacity > 0.0f)
    {
        columns.resize((size_t) numColumns);
        reader.getHistory().fillColumns(reader.getSampleRate(), LivePlot::windowSeconds, columns);
        const auto firstWithData = std::find_if(columns.begin(), columns.end(),
                                                [](const LiveHistory::Column& c) { return c.hasData(); });
        if (firstWithData != columns.end())
        {
            const int first = (int) (firstWithData - columns.begin());
            const auto input = envelope(
                p, columns, first, [&](const LiveSummary& s) { return live.yFor(s.inputMax); },
                [&](const LiveSummary& s) { return live.yFor(s.inputMin); });
            const auto output = envelope(
                p, columns, first, [&](const LiveSummary& s) { return live.yFor(s.outputMax); },
                [&](const LiveSummary& s) { return live.yFor(s.outputMin); });
            const auto transient = envelope(
                p, columns, first, [&](const LiveSummary& s) { return live.bandTopFor(s.transient); },
                [&](const LiveSummary&) { return live.band.getBottom(); });

            g.setColour(withAlphaClamped(palette::panel::dryCurve, 0.16f * opacity));
            g.fillPath(input);
            g.setColour(withAlphaClamped(shapedCurveColour(), 0.62f * opacity));
            g.fillPath(output);
            g.setColour(withAlphaClamped(palette::panel::dryCurve, opacity));
            g.strokePath(input, juce::PathStrokeType(1.0f * p.scale));
            g.setColour(withAlphaClamped(palette::panel::transientBand, 0.85f * opacity));
            g.fillPath(transient);
            drawGainTrace(
                g, p, numColumns - first,
                [&](int k) {
                    const int c = first + k;
                    return std::pair{columnX(p, c, numColumns), LivePlot::gainDb(columns[(size_t) c].summary)};
                },
                opacity);
            drawn = true;
        }
    }
    if (!drawn)
    {
        g.setColour(palette::panel::displayText);
        g.setFont(compat::makeFont(p.axisFontHeight(), juce::Font::bold));
        g.drawText("NO AUDIO", live.signalArea.toNearestInt(), juce::Justification::centred, false);
    }

    if (const auto level = clipOnsetLevelShown(settings))
    {
        const float clip = settings.audioValue(ParameterIDs::clip);
        drawClipOnset(g, p, live.yFor(*level), clip);
        g.setColour(withAlphaClamped(palette::panel::clipLine, 0.24f + 0.36f * clip));
        const float dashes[] = {5.0f * p.scale, 5.0f * p.scale};
        g.drawDashedLine({p.plotX, live.yFor(-*level), p.plotRight, live.yFor(-*level)}, dashes, 2, 1.2f * p.scale);
    }
}

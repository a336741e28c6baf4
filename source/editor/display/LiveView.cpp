#include "editor/display/LiveView.h"

#include "editor/display/DisplayPainting.h"
#include "editor/display/LivePlot.h"

using namespace displayPainting;

namespace
{
// The level marks: full scale and 6 dB under it, on both sides of the centre line.
constexpr float markLevels[] = {1.0f, 0.5011872f};
const char* const markCaptions[] = {"0 dB", "-6 dB"};

// The x of the middle of column c of n across the plot.
float columnX(const PlotGeometry& p, int c, int n)
{
    return p.plotX + p.plotW * ((float)c + 0.5f) / (float)n;
}

using Columns = std::vector<LiveHistory::Column>;

// An envelope from the columns with data: along the largest values left to right, back along
// the smallest, closed. Its ends reach the edges of their columns.
template <typename Top, typename Bottom>
juce::Path envelope(const PlotGeometry& p, const Columns& columns, int first, Top top, Bottom bottom)
{
    const int n = (int)columns.size();
    const float half = p.plotW / (float)n * 0.5f;
    juce::Path path;
    path.preallocateSpace(3 * 2 * (n - first) + 12);
    path.startNewSubPath(columnX(p, first, n) - half, top(columns[(size_t)first].summary));
    for (int c = first; c < n; ++c)
        path.lineTo(columnX(p, c, n), top(columns[(size_t)c].summary));
    path.lineTo(p.plotRight, top(columns[(size_t)n - 1].summary));
    path.lineTo(p.plotRight, bottom(columns[(size_t)n - 1].summary));
    for (int c = n - 1; c >= first; --c)
        path.lineTo(columnX(p, c, n), bottom(columns[(size_t)c].summary));
    path.lineTo(columnX(p, first, n) - half, bottom(columns[(size_t)first].summary));
    path.closeSubPath();
    return path;
}
} // namespace

void LiveView::paintFrame(juce::Graphics& g, const PlotGeometry& p)
{
    const auto live = LivePlot::forPlot(p);
    drawVerticalGrid(g, p);
    if (p.plotRight > p.plotX)
    {
        for (size_t i = 0; i < std::size(markLevels); ++i)
        {
            g.setColour(i == 0 ? palette::panel::gridOuter : palette::panel::gridInner);
            for (const float sign : {1.0f, -1.0f})
                g.fillRect(juce::Rectangle<float>(p.plotX, std::round(live.yFor(sign * markLevels[i])),
                                                  p.plotW, 1.0f));
        }
        g.setColour(palette::panel::zeroLine);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(live.centreY), p.plotW, 1.0f));
        g.setColour(palette::panel::gridOuter);
        g.fillRect(juce::Rectangle<float>(p.plotX, std::round(live.band.getBottom()), p.plotW, 1.0f));
    }

    const auto legend = live.legendItems();
    drawLegendItem(g, p, legend[0], shapedCurveColour(), "SHAPED");
    drawLegendItem(g, p, legend[1], palette::panel::dryCurve, "DRY");
    drawLegendItem(g, p, legend[2], palette::panel::transientBand, "TRANSIENT");

    drawTimeAxis(g, p, live.timeAxisLabels());
}

// One column per physical pixel of the plot's width: the input's envelope lightly filled, the
// output's over it, the input's edges drawn on top so that both stay readable where they differ;
// the transient band along the bottom. Everything fades with the view.
void LiveView::paintSignal(juce::Graphics& g, const PlotGeometry& p, const DisplaySettings& settings)
{
    const auto live = LivePlot::forPlot(p);
    const float opacity = reader.getOpacity();

    const float pixelScale = g.getInternalContext().getPhysicalPixelScaleFactor();
    const int numColumns = juce::roundToInt(p.plotW * pixelScale);
    bool drawn = false;
    if (numColumns > 0 && live.halfSpan > 0.0f && !reader.getHistory().isEmpty() && opacity > 0.0f)
    {
        columns.resize((size_t)numColumns);
        reader.getHistory().fillColumns(reader.getSampleRate(), LivePlot::windowSeconds, columns);
        const auto firstWithData = std::find_if(columns.begin(), columns.end(),
                                                [](const LiveHistory::Column& c) { return c.hasData(); });
        if (firstWithData != columns.end())
        {
            const int first = (int)(firstWithData - columns.begin());
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
            g.setColour(withAlphaClamped(palette::panel::dryCurve, 0.72f * opacity));
            g.strokePath(input, juce::PathStrokeType(1.0f * p.scale));
            g.setColour(withAlphaClamped(palette::panel::transientBand, 0.85f * opacity));
            g.fillPath(transient);
            drawn = true;
        }
    }
    if (!drawn)
    {
        g.setColour(palette::panel::displayText.withMultipliedAlpha(0.6f));
        g.setFont(compat::makeFont(p.axisFontHeight(), juce::Font::bold));
        g.drawText("NO AUDIO", live.signalArea.toNearestInt(), juce::Justification::centred, false);
    }

    const float clip = settings.audioValue(ParameterIDs::clip);
    if (clip > 0.04f)
    {
        const float level = clipOnsetLevel(clip) * settings.audioValue(ParameterIDs::output);
        const float share = LivePlot::levelShare(level);
        if (share > 0.0f && share < 1.0f)
        {
            drawClipOnset(g, p, live.yFor(level), clip);
            const float dashes[] = {5.0f * p.scale, 5.0f * p.scale};
            g.drawDashedLine({p.plotX, live.yFor(-level), p.plotRight, live.yFor(-level)}, dashes, 2,
                             1.2f * p.scale);
        }
    }

    g.setColour(palette::panel::displayText);
    g.setFont(compat::makeFont(p.axisFontHeight()));
    g.drawText(displayReadOut(settings), live.readOutBox(), juce::Justification::centredRight, false);

    // The level marks' captions over the signal on a patch of the plot's colour, so that a hit at
    // the left edge never hides them.
    const auto captionFont = compat::makeFont(p.captionFontHeight());
    g.setFont(captionFont);
    for (size_t i = 0; i < std::size(markLevels); ++i)
    {
        const auto box = live.levelCaptionBox(std::round(live.yFor(markLevels[i])));
        const float width = captionFont.getStringWidthFloat(markCaptions[i]);
        const auto patch =
            juce::Rectangle<float>((float)box.getX(), (float)box.getBottom() - captionFont.getHeight(), width,
                                   captionFont.getHeight())
                .expanded(2.0f * p.scale, 0.0f);
        g.setColour(palette::panel::plot.withAlpha(0.8f));
        g.fillRoundedRectangle(patch, 2.0f * p.scale);
        g.setColour(palette::panel::displayText);
        g.drawText(markCaptions[i], box, juce::Justification::bottomLeft, false);
    }
}

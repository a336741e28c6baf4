#include "editor/display/LivePlot.h"

#include "dsp/ShaperCore.h"
#include "editor/display/DisplayModel.h"

#include <limits>

LivePlot LivePlot::forDisplayArea(juce::Rectangle<float> displayArea, float scale)
{
    return forPlot(PlotGeometry::forDisplayArea(displayArea, scale, PlotGeometry::maxLegendItems, true));
}

LivePlot LivePlot::forPlot(const PlotGeometry& p)
{
    LivePlot live;
    live.plot = p;
    const float margin = 6.0f * p.scale;
    live.centreY = p.plotY + p.curveSpan * 0.5f;
    live.halfSpan = std::max(0.0f, p.curveSpan * 0.5f - margin);
    live.signalArea = {p.plotX, live.centreY - live.halfSpan, p.plotW, 2.0f * live.halfSpan};
    live.plot.gainTop = live.signalArea.getY();
    live.plot.gainBottom = live.signalArea.getBottom();

    // The band under the zero line, clear of the time axis.
    const float bandTop = p.baselineY + 4.0f * p.scale;
    const float timeTop = (float) p.timeAxisLabels()[0].box.getY();
    live.band = {p.plotX, bandTop, p.plotW, std::max(0.0f, std::min(18.0f * p.scale, timeTop - 1.0f - bandTop))};
    return live;
}

float LivePlot::levelShare(float magnitude)
{
    if (!(magnitude > 0.0f))
        return 0.0f;
    return juce::jlimit(0.0f, 1.0f, magnitude / shaper::decibelsToGain(topDb));
}

std::array<PlotGeometry::Label, 5> LivePlot::timeAxisLabels() const
{
    return plot.timeAxisLabels({"-2 s", "-1.5 s", "-1 s", "-0.5 s", "now"});
}

std::array<PlotGeometry::Label, 2> LivePlot::levelLabels() const
{
    const float h = plot.axisFontHeight();
    const float x = plot.frame.getX() + 2.0f * plot.scale;
    const float w = std::max(0.0f, plot.plotX - 4.0f * plot.scale - x);
    std::array<PlotGeometry::Label, 2> labels;
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i] = {markCaptions[i],
                     PlotGeometry::boxCentredOn(std::round(yFor(markLevels[i])), x, w, h, signalArea.getY(), centreY),
                     juce::Justification::centredRight};
    if (labels[0].box.intersects(labels[1].box))
        labels[1].text = nullptr;
    return labels;
}

float LivePlot::gainDb(const LiveSummary& s)
{
    const float in = std::max(std::abs(s.inputMin), std::abs(s.inputMax));
    const float out = std::max(std::abs(s.outputMin), std::abs(s.outputMax));
    if (s.numSamples <= 0 || !(in >= DisplayModel::gainFloor))
        return std::numeric_limits<float>::quiet_NaN();
    return juce::Decibels::gainToDecibels(out, -100.0f) - juce::Decibels::gainToDecibels(in);
}

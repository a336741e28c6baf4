#include "editor/display/LivePlot.h"

#include "editor/look/Rounding.h"
#include "dsp/ShaperCore.h"

LivePlot LivePlot::forPlot(const PlotGeometry& p)
{
    LivePlot live;
    live.plot = p;
    const float margin = 6.0f * p.scale;
    live.centreY = p.plotY + p.curveSpan * 0.5f;
    live.halfSpan = std::max(0.0f, p.curveSpan * 0.5f - margin);
    live.signalArea = {p.plotX, live.centreY - live.halfSpan, p.plotW, 2.0f * live.halfSpan};
    const float bandTop = p.baselineY + 4.0f * p.scale;
    live.band = {p.plotX, bandTop, p.plotW, 18.0f * p.scale};
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
    auto labels = plot.timeAxisLabels();
    const char* texts[] = {"-2 s", "-1.5 s", "-1 s", "-0.5 s", "now"};
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i].text = texts[i];
    return labels;
}

std::array<juce::Rectangle<float>, 3> LivePlot::legendItems() const
{
    const auto modelItems = plot.legendItems();
    const auto area = plot.displayArea;
    const float x = modelItems[1].getRight();
    const float available = std::max(0.0f, area.getRight() - 10.0f * plot.scale - x);
    return {{modelItems[0], modelItems[1], {x, modelItems[1].getY(), std::min(available, 104.0f * plot.scale),
                                            modelItems[1].getHeight()}}};
}

juce::Rectangle<int> LivePlot::levelCaptionBox(float y) const
{
    return {roundHalfAway(plot.plotX + 4.0f * plot.scale), (int) y - roundHalfAway(15.0f * plot.scale),
            roundHalfAway(60.0f * plot.scale), roundHalfAway(14.0f * plot.scale)};
}

juce::Rectangle<int> LivePlot::readOutBox() const
{
    // The whole pixels inside the room from the legend to the display's right margin.
    const auto transient = legendItems()[2];
    const int left = (int) std::ceil(transient.getRight()), top = (int) std::ceil(transient.getY());
    const int right = (int) std::floor(plot.displayArea.getRight() - 10.0f * plot.scale);
    const int bottom = (int) std::floor(transient.getBottom());
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

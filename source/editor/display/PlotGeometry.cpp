#include "editor/display/PlotGeometry.h"

#include "editor/look/Rounding.h"

PlotGeometry PlotGeometry::forDisplayArea(juce::Rectangle<float> displayArea, float scale)
{
    auto plot = displayArea.reduced(18.0f * scale, 26.0f * scale);
    plot.removeFromTop(12.0f * scale);
    plot.removeFromBottom(16.0f * scale);

    PlotGeometry g;
    g.displayArea = displayArea;
    g.scale = scale;
    g.plotX = plot.getX();
    g.plotY = plot.getY();
    g.plotW = plot.getWidth();
    g.plotH = plot.getHeight();
    g.plotRight = g.plotX + g.plotW;
    g.baselineY = g.plotY + g.plotH - g.plotH * 0.17f;
    g.curveSpan = g.baselineY - g.plotY;
    return g;
}

std::array<PlotGeometry::Label, 5> PlotGeometry::timeAxisLabels() const
{
    const int y = (int)baselineY + roundHalfAway(30.0f * scale);
    const int w = roundHalfAway(80.0f * scale);
    const int h = roundHalfAway(18.0f * scale);
    const auto centredOn = [&](float share) { return (int)plotX + (int)(plotW * share) - w / 2; };
    return {{
        {"0 ms", {(int)plotX, y, w, h}, juce::Justification::left},
        {"125 ms", {centredOn(0.25f), y, w, h}, juce::Justification::centred},
        {"250 ms", {centredOn(0.5f), y, w, h}, juce::Justification::centred},
        {"375 ms", {centredOn(0.75f), y, w, h}, juce::Justification::centred},
        {"500 ms", {(int)(plotX + plotW) - w, y, w, h}, juce::Justification::right},
    }};
}

juce::Rectangle<int> PlotGeometry::readOutBox() const
{
    return {juce::roundToInt(plotRight - 294.0f * scale), juce::roundToInt(baselineY + 8.0f * scale),
            roundHalfAway(284.0f * scale), roundHalfAway(18.0f * scale)};
}

juce::Rectangle<int> PlotGeometry::clipCaptionBox(float clipY) const
{
    return {(int)(plotX + plotW) - roundHalfAway(94.0f * scale), (int)clipY - roundHalfAway(18.0f * scale),
            roundHalfAway(88.0f * scale), roundHalfAway(16.0f * scale)};
}

std::array<juce::Rectangle<float>, 2> PlotGeometry::legendItems() const
{
    const float x = displayArea.getX() + 10.0f * scale;
    const float available = std::max(0.0f, displayArea.getWidth() - 20.0f * scale);
    const float shapedWidth = std::min(available, 104.0f * scale);
    const float height = 20.0f * scale;
    return {
        {{x, displayArea.getY(), shapedWidth, height},
         {x + shapedWidth, displayArea.getY(), std::min(available - shapedWidth, 76.0f * scale), height}}};
}

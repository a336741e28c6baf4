#include "editor/panel/PanelLayout.h"

#include "editor/look/Rounding.h"

#include <algorithm>
#include <cmath>

namespace
{
juce::Rectangle<int> roundedToPixels(juce::Rectangle<float> r)
{
    return {juce::roundToInt(r.getX()), juce::roundToInt(r.getY()), juce::roundToInt(r.getWidth()),
            juce::roundToInt(r.getHeight())};
}
} // namespace

juce::Rectangle<int> knobBoundsInCell(juce::Rectangle<float> cell, float heightShare, float push)
{
    const float s = std::min(cell.getHeight() * heightShare, cell.getWidth() * 0.90f);
    const float x = cell.getX() + (cell.getWidth() - s) * 0.5f;
    const float y = cell.getY() + (cell.getHeight() - s) * 0.5f + cell.getHeight() * push;
    return {juce::roundToInt(x), juce::roundToInt(y), juce::roundToInt(s), juce::roundToInt(s)};
}

juce::Rectangle<int> valueLabelBoundsUnder(juce::Rectangle<float> knob, float scale)
{
    return {roundHalfAway(knob.getX() - knob.getWidth() * 0.08f),
            roundHalfAway(knob.getY() + knob.getHeight() - 2.0f * scale), roundHalfAway(knob.getWidth() * 1.16f),
            roundHalfAway(24.0f * scale)};
}

namespace
{
float groupTitleHeight(float groupHeight, float scale)
{
    return std::max(groupHeight * 0.16f, 14.0f * scale);
}

float groupGap(float groupHeight, float scale)
{
    return std::max(groupHeight * 0.06f, 2.0f * scale);
}
} // namespace

float minimumButtonGroupHeight(float scale)
{
    // The caption strip and the gaps grow with the group: the least height is the fixed point of
    // h = title(h) + 3 gap(h) + 3 buttons, which this approaches from below.
    float h = 0.0f;
    for (int i = 0; i < 40; ++i)
        h = groupTitleHeight(h, scale) + 3.0f * groupGap(h, scale) + 3.0f * minimumSelectorHeight;
    return std::ceil(h);
}

ButtonGroupLayout layoutButtonGroup(juce::Rectangle<float> group, float scale)
{
    const float h = group.getHeight();
    const float w = group.getWidth();
    const float titleH = groupTitleHeight(h, scale);
    const float gap = groupGap(h, scale);
    const float buttonH = std::max(std::max(0.0f, h - titleH - 3.0f * gap) / 3.0f, minimumSelectorHeight);

    ButtonGroupLayout result;
    result.titleArea = group.removeFromTop(titleH);
    for (auto& button : result.buttons)
    {
        group.removeFromTop(gap);
        button = roundedToPixels(group.removeFromTop(buttonH).reduced(w * 0.02f, 0.0f));
    }
    return result;
}

PanelLayout computePanelLayout(float W, float H)
{
    PanelLayout l;
    l.scale = std::min(W / PanelLayout::referenceWidth, H / PanelLayout::referenceHeight);
    const float scale = l.scale;

    auto inner = juce::Rectangle<float>(0.0f, 0.0f, W, H).reduced(W * 0.03f, H * 0.035f);
    l.headerArea = inner.removeFromTop(inner.getHeight() * 0.10f);
    inner.removeFromBottom(inner.getHeight() * 0.10f); // stays empty
    l.rightColumnArea = inner.removeFromRight(inner.getWidth() * 0.205f);
    l.leftColumnArea = inner.removeFromLeft(inner.getWidth() * 0.18f);
    l.centreArea = inner;
    l.knobRowArea = l.centreArea.removeFromBottom(l.centreArea.getHeight() * 0.25f);
    l.displayArea = l.centreArea.reduced(l.centreArea.getWidth() * 0.045f, l.centreArea.getHeight() * 0.065f);

    // Left column: attack, sustain and sensitivity stacked in three rows.
    auto col = l.leftColumnArea.reduced(l.leftColumnArea.getWidth() * 0.12f, l.leftColumnArea.getHeight() * 0.03f);
    const float rowH = col.getHeight() / 3.0f;
    l.knobCells[0] = col.removeFromTop(rowH).reduced(0.0f, rowH * 0.03f);
    l.knobCells[1] = col.removeFromTop(rowH).reduced(0.0f, rowH * 0.04f);
    l.knobCells[2] = col.reduced(0.0f, rowH * 0.04f);

    // Right column: focus group, mode group, then the two meters side by side.
    auto rc = l.rightColumnArea.reduced(l.rightColumnArea.getWidth() * 0.10f, l.rightColumnArea.getHeight() * 0.06f);
    // On a small panel the groups take more than their share, so that every button keeps its
    // minimum height; the meters below get less.
    const float groupH = std::max(rc.getHeight() * 0.245f, minimumButtonGroupHeight(scale));
    const float groupGap = rc.getHeight() * 0.045f;
    for (size_t group = 0; group < PanelLayout::numGroups; ++group)
    {
        const auto groupLayout = layoutButtonGroup(rc.removeFromTop(groupH), scale);
        rc.removeFromTop(groupGap);
        l.selectorTitleAreas[group] = groupLayout.titleArea;
        l.selectorButtonBounds[group] = groupLayout.buttons;
    }

    const float meterGap = juce::jlimit(8.0f * scale, 26.0f * scale, rc.getWidth() * 0.12f);
    const float meterW = std::max((rc.getWidth() - meterGap) * 0.5f, 24.0f * scale);
    l.inputMeterArea = rc.removeFromLeft(meterW);
    rc.removeFromLeft(meterGap);
    l.outputMeterArea = rc.removeFromLeft(meterW);

    l.powerButtonBounds = {juce::roundToInt(W * 0.855f), juce::roundToInt(H * 0.035f), juce::roundToInt(W * 0.04f),
                           juce::roundToInt(W * 0.04f)};

    // Knob row: four equal slots (the last takes the remainder).
    auto kr = l.knobRowArea.reduced(l.knobRowArea.getWidth() * 0.08f, l.knobRowArea.getHeight() * 0.01f);
    const float slotW = kr.getWidth() * 0.25f;
    for (size_t i = PanelLayout::knobsInLeftColumn; i < PanelLayout::numKnobs; ++i)
        l.knobCells[i] = (i + 1 < PanelLayout::numKnobs ? kr.removeFromLeft(slotW) : kr).reduced(slotW * 0.10f, 0.0f);

    for (size_t i = 0; i < PanelLayout::numKnobs; ++i)
    {
        const bool inLeftColumn = i < PanelLayout::knobsInLeftColumn;
        l.knobBounds[i] = inLeftColumn ? knobBoundsInCell(l.knobCells[i], 0.70f, 0.05f)
                                       : knobBoundsInCell(l.knobCells[i], 0.74f, 0.02f);
        l.valueLabelBounds[i] = valueLabelBoundsUnder(l.knobBounds[i].toFloat(), scale);

        const auto& c = l.knobCells[i];
        l.captionBoxes[i] = {(int) c.getX(), (int) ((float) (int) c.getY() + c.getHeight() * 0.045f), (int) c.getWidth(),
                             roundHalfAway(22.0f * scale)};
    }

    l.captionFontHeight = 17.75f * scale;
    l.readOutFontHeight = 18.0f * scale;
    l.readOutBorder = {roundHalfAway(scale), roundHalfAway(5.0f * scale), roundHalfAway(scale), roundHalfAway(5.0f * scale)};
    l.groupTitleFontHeight = 17.0f * scale;

    return l;
}

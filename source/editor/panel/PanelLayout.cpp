#include "editor/panel/PanelLayout.h"

#include "editor/controls/PanelControls.h"
#include "editor/look/Rounding.h"
#include "editor/look/TextSize.h"
#include "compat/JuceCompat.h"

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

namespace
{
// The knob's disc within its bounds (the look insets it by 8 % of the side on each side).
constexpr float discInset = 0.08f;

// The read-out's height for its font: 24 pixels of the reference panel, or the text and a pixel
// above and below it.
float readOutHeight(float fontHeight, float scale)
{
    return std::max(24.0f * scale, fontHeight + 2.0f);
}
} // namespace

KnobPlacement placeKnob(juce::Rectangle<float> cell, float captionTextBottom, float bottomLimit, float heightShare,
                        float push, float readOutFontHeight, float readOutWidth, float scale)
{
    const float gap = std::max(2.0f * scale, 1.0f); // at least the knob's rounding to whole pixels
    const float discTop = captionTextBottom + gap;
    // The disc, the gap and the read-out's text between the caption and the limit.
    const float room = bottomLimit - discTop - gap - readOutFontHeight;
    const float s = std::max(0.0f, std::min({cell.getHeight() * heightShare, cell.getWidth() * 0.90f,
                                             room / (1.0f - 2.0f * discInset)}));
    const float centred = cell.getY() + (cell.getHeight() - s) * 0.5f + cell.getHeight() * push;
    const float highest = discTop - s * discInset;
    const float lowest = bottomLimit - readOutFontHeight - gap - s * (1.0f - discInset);
    const float y = std::max(highest, std::min(centred, lowest));
    const float x = cell.getX() + (cell.getWidth() - s) * 0.5f;

    KnobPlacement placed;
    placed.knob = {juce::roundToInt(x), juce::roundToInt(y), juce::roundToInt(s), juce::roundToInt(s)};
    const auto k = placed.knob.toFloat();
    const float h = readOutHeight(readOutFontHeight, scale);
    const float textTop = k.getY() + k.getHeight() * (1.0f - discInset) + gap;
    const float w = std::max(k.getWidth() * 1.16f, readOutWidth);
    placed.readOut = {roundHalfAway(k.getCentreX() - w * 0.5f), roundHalfAway(textTop - (h - readOutFontHeight) * 0.5f),
                      roundHalfAway(w), roundHalfAway(h)};
    return placed;
}

namespace
{
float groupTitleHeight(float groupHeight, float scale)
{
    return std::max({groupHeight * 0.16f, 14.0f * scale, textHeight(17.0f, scale) + 1.0f});
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

    l.captionFontHeight = textHeight(17.75f, scale);
    l.readOutFontHeight = textHeight(18.0f, scale);
    l.readOutBorder = {0, roundHalfAway(5.0f * scale), 0, roundHalfAway(5.0f * scale)};
    l.groupTitleFontHeight = textHeight(17.0f, scale);

    // Captions at the top of their cells; knobs and read-outs under them. A read-out of the left
    // column keeps above the next caption (the last above the column's foot), one of the row above
    // the row's outline.
    for (size_t i = 0; i < PanelLayout::numKnobs; ++i)
    {
        const auto& c = l.knobCells[i];
        l.captionBoxes[i] = {(int) c.getX(), (int) ((float) (int) c.getY() + c.getHeight() * 0.045f), (int) c.getWidth(),
                             roundHalfAway(std::max(22.0f * scale, l.captionFontHeight + 2.0f))};
        const auto& info = panel::knobs[i];
        const bool fits = compat::makeFont(l.captionFontHeight, juce::Font::bold).getStringWidthFloat(info.caption) <=
                          (float) l.captionBoxes[i].getWidth();
        l.captions[i] = fits ? info.caption : info.shortCaption;
    }
    const auto captionTextTop = [&](size_t i) {
        return l.captionBoxes[i].toFloat().getCentreY() - l.captionFontHeight * 0.5f;
    };
    for (size_t i = 0; i < PanelLayout::numKnobs; ++i)
    {
        const bool inLeftColumn = i < PanelLayout::knobsInLeftColumn;
        const float bottomLimit = !inLeftColumn                              ? l.knobCells[i].getBottom() - 2.0f * scale
                                  : i + 1 < PanelLayout::knobsInLeftColumn ? captionTextTop(i + 1) - 2.0f * scale
                                                                             : l.leftColumnArea.getBottom();
        const float captionTextBottom = captionTextTop(i) + l.captionFontHeight;
        // Wide enough for the widest value the read-out shows, within its side borders.
        float widestValue = 0.0f;
        const auto& spec = panel::knobSpec(i);
        for (const float v : {spec.minimum, spec.maximum, spec.defaultValue})
            widestValue = std::max(widestValue, compat::makeFont(l.readOutFontHeight, juce::Font::bold)
                                                    .getStringWidthFloat(spec.formatWithUnit(v)));
        const float readOutWidth = widestValue + (float) (l.readOutBorder.getLeftAndRight() + 2);
        const auto placed = inLeftColumn ? placeKnob(l.knobCells[i], captionTextBottom, bottomLimit, 0.70f, 0.05f,
                                                     l.readOutFontHeight, readOutWidth, scale)
                                         : placeKnob(l.knobCells[i], captionTextBottom, bottomLimit, 0.74f, 0.02f,
                                                     l.readOutFontHeight, readOutWidth, scale);
        l.knobBounds[i] = placed.knob;
        l.valueLabelBounds[i] = placed.readOut;
    }

    // The title centred at the top of the header, the subtitle under it.
    const auto header = l.headerArea;
    l.titleFontHeight = std::max(minimumTextHeight, header.getHeight() * 0.46f);
    l.titleBox = header.toNearestInt();
    const auto sub = header.withTop(std::max(header.getY() + header.getHeight() * 0.44f,
                                             std::ceil((float) l.titleBox.getY() + l.titleFontHeight)));
    l.subtitleFontHeight = std::max(minimumTextHeight, header.getHeight() * 0.56f * 0.42f);
    l.subtitleBox = sub.getSmallestIntegerContainer();

    return l;
}

#include "editor/display/PlotGeometry.h"

#include "editor/look/Rounding.h"
#include "editor/look/TextSize.h"
#include "compat/JuceCompat.h"

namespace
{
// The legend items' widths on the reference panel, in the order of legendCaptions.
constexpr std::array<float, PlotGeometry::maxLegendItems> legendWidths{104.0f, 76.0f, 76.0f, 104.0f};
// The gain axis's labels, top to bottom.
constexpr std::array<const char*, 3> gainTexts{"+12 dB", "0 dB", "-12 dB"};

float widthOf(const char* text, float fontHeight, int style = juce::Font::plain)
{
    return compat::makeFont(fontHeight, style).getStringWidthFloat(text);
}
} // namespace

float PlotGeometry::axisFontHeight() const
{
    return textHeight(12.0f, scale);
}

float PlotGeometry::captionFontHeight() const
{
    return textHeight(11.0f, scale);
}

juce::Rectangle<int> PlotGeometry::boxCentredOn(float y, float x, float width, float height, float top, float bottom)
{
    float boxTop = y - height * 0.5f;
    if (bottom - top >= height)
        boxTop = juce::jlimit(top, bottom - height, boxTop);
    return juce::Rectangle<float>(x, boxTop, width, height).getSmallestIntegerContainer();
}

PlotGeometry PlotGeometry::forDisplayArea(juce::Rectangle<float> displayArea, float scale, int numLegendItems,
                                          bool levelGutter)
{
    PlotGeometry g;
    g.displayArea = displayArea;
    g.scale = scale;
    const float s = scale;
    const float caption = g.captionFontHeight(), axis = g.axisFontHeight();

    // The legend row: the items from the left, the read-out from the right. Items that would leave
    // no room for the read-out go, the last first, down to the first two; then the read-out goes.
    g.swatchColumn = 20.0f * s;
    const float rowHeight = std::max(20.0f * s, caption + 2.0f);
    const float rowLeft = displayArea.getX() + 10.0f * s, rowRight = displayArea.getRight() - 10.0f * s;
    std::array<float, maxLegendItems> widths{};
    for (size_t i = 0; i < widths.size(); ++i)
        widths[i] = std::max(legendWidths[i] * s, g.swatchColumn + widthOf(legendCaptions[i], caption, juce::Font::bold) +
                                                      8.0f * s);
    const float readOutWidth = widthOf(widestReadOut, axis) + 2.0f;
    const auto legendEnd = [&](int n) {
        float x = rowLeft;
        for (int i = 0; i < n; ++i)
            x += widths[(size_t) i];
        return x;
    };
    g.numLegendItems = juce::jlimit(0, maxLegendItems, numLegendItems);
    while (g.numLegendItems > 2 && legendEnd(g.numLegendItems) + readOutWidth > rowRight)
        --g.numLegendItems;
    float x = rowLeft;
    for (int i = 0; i < g.numLegendItems; ++i)
    {
        const float w = std::max(0.0f, std::min(widths[(size_t) i], rowRight - x));
        g.legendItems[(size_t) i] = {x, displayArea.getY(), w, rowHeight};
        x += w;
    }
    const int readOutLeft = (int) std::ceil(x), readOutRight = (int) std::floor(rowRight);
    if ((float) (readOutRight - readOutLeft) >= readOutWidth)
        g.readOutBox = {readOutLeft, (int) std::ceil(displayArea.getY()), readOutRight - readOutLeft,
                        (int) std::floor(rowHeight)};

    // The dark frame, below the legend row.
    auto frame = displayArea.reduced(18.0f * s, 26.0f * s);
    frame.removeFromTop(12.0f * s);
    frame.removeFromBottom(16.0f * s);
    const float frameTop = std::min(frame.getBottom(), displayArea.getY() + rowHeight + 2.0f * s);
    if (frame.getY() < frameTop)
        frame = frame.withTop(frameTop);
    g.frame = frame;

    // The gutters: the gain labels at the right, the level labels at the left.
    float gainLabelWidth = 0.0f;
    for (const auto* text : gainTexts)
        gainLabelWidth = std::max(gainLabelWidth, widthOf(text, axis));
    const float rightGutter = gainLabelWidth + 8.0f * s + 1.0f;
    const float leftGutter = levelGutter ? widthOf("-12 dB", axis) + 8.0f * s : 0.0f;
    g.plotX = frame.getX() + leftGutter;
    g.plotW = std::max(0.0f, frame.getWidth() - leftGutter - rightGutter);
    g.plotRight = g.plotX + g.plotW;
    g.plotY = frame.getY();
    g.plotH = frame.getHeight();

    // The zero line at 83 % of the height, higher when the time axis under it needs the room.
    const float timeRow = std::max(18.0f * s, axis);
    const float timeOffset = std::max(30.0f * s, 22.0f * s + 2.0f);
    g.baselineY = std::min(g.plotY + g.plotH * 0.83f,
                           frame.getBottom() - timeOffset - timeRow + (timeRow - axis) * 0.5f + 3.0f * s);
    g.baselineY = std::max(g.baselineY, g.plotY);
    g.curveSpan = g.baselineY - g.plotY;
    g.gainTop = g.plotY;
    g.gainBottom = g.baselineY;
    return g;
}

std::array<PlotGeometry::Label, 5> PlotGeometry::timeAxisLabels(const std::array<const char*, 5>& texts) const
{
    const float axis = axisFontHeight();
    const int y = (int) baselineY + roundHalfAway(std::max(30.0f * scale, 22.0f * scale + 2.0f));
    const int h = roundHalfAway(std::max(18.0f * scale, axis));
    float widest = 0.0f;
    std::array<float, 5> textWidths{};
    for (size_t i = 0; i < texts.size(); ++i)
        widest = std::max(widest, textWidths[i] = widthOf(texts[i], axis));
    const int w = roundHalfAway(std::max(80.0f * scale, widest + 4.0f));

    const auto centredOn = [&](float share) { return (int) plotX + (int) (plotW * share) - w / 2; };
    std::array<Label, 5> labels{{
        {texts[0], {(int) plotX, y, w, h}, juce::Justification::left},
        {texts[1], {centredOn(0.25f), y, w, h}, juce::Justification::centred},
        {texts[2], {centredOn(0.5f), y, w, h}, juce::Justification::centred},
        {texts[3], {centredOn(0.75f), y, w, h}, juce::Justification::centred},
        {texts[4], {(int) (plotX + plotW) - w, y, w, h}, juce::Justification::right},
    }};

    // Where the texts lie; neighbours keep a gap of 6 pixels of the reference panel.
    const auto extent = [&](size_t i) {
        const auto& box = labels[i].box;
        const float left = i == 0 ? (float) box.getX()
                         : i == 4 ? (float) box.getRight() - textWidths[i]
                                  : (float) box.getCentreX() - textWidths[i] * 0.5f;
        return juce::Range<float>(left, left + textWidths[i]);
    };
    const auto crowded = [&](std::initializer_list<size_t> shown) {
        const size_t* previous = nullptr;
        for (const auto& i : shown)
        {
            if (previous != nullptr && extent(*previous).getEnd() + 6.0f * scale > extent(i).getStart())
                return true;
            previous = &i;
        }
        return false;
    };
    if (crowded({0, 1, 2, 3, 4}))
    {
        labels[1].text = labels[3].text = nullptr;
        if (crowded({0, 2, 4}))
            labels[2].text = nullptr;
    }
    return labels;
}

float PlotGeometry::yForGain(float gainDb) const
{
    const float share = juce::jlimit(-1.0f, 1.0f, gainDb / gainRangeDb);
    const float middle = (gainTop + gainBottom) * 0.5f;
    return middle - share * (gainBottom - gainTop) * 0.5f;
}

std::array<PlotGeometry::Label, 3> PlotGeometry::gainLabels() const
{
    const float axis = axisFontHeight();
    const float x = plotRight + 4.0f * scale;
    const float w = std::max(0.0f, frame.getRight() - x - 2.0f * scale);
    const float bottom = (float) timeAxisLabels()[0].box.getY();
    std::array<Label, 3> labels;
    const float levels[] = {gainRangeDb, 0.0f, -gainRangeDb};
    for (size_t i = 0; i < labels.size(); ++i)
        labels[i] = {gainTexts[i], boxCentredOn(yForGain(levels[i]), x, w, axis, frame.getY(), bottom),
                     juce::Justification::centredLeft};
    return labels;
}

juce::Rectangle<int> PlotGeometry::clipCaptionBox(float clipY) const
{
    const float caption = captionFontHeight();
    const float w = std::max(88.0f * scale, widthOf("CLIP ONSET", caption, juce::Font::bold) + 4.0f);
    const float h = std::max(16.0f * scale, caption + 2.0f);
    const float top = std::max(plotY, clipY - 2.0f * scale - h);
    return juce::Rectangle<float>(plotRight - 6.0f * scale - w, top, w, h).getSmallestIntegerContainer();
}

#include "editor/meters/MeterLayout.h"

#include "editor/look/Palette.h"
#include "editor/look/TextSize.h"
#include "compat/JuceCompat.h"

#include <algorithm>
#include <cmath>

juce::Rectangle<float> MeterLayout::column(int channel) const
{
    if (channels < 2)
        return inner;
    const float w = (inner.getWidth() - gap) * 0.5f;
    return inner.withWidth(w).withX(inner.getX() + (float) channel * (w + gap));
}

juce::Rectangle<float> MeterLayout::segment(int i, int channel) const
{
    const auto c = column(channel);
    const float y = c.getBottom() - (float) (i + 1) * segmentHeight - (float) i * gap;
    return {c.getX(), y, c.getWidth(), segmentHeight};
}

float MeterLayout::yForPosition(float position) const
{
    return inner.getBottom() - inner.getHeight() * juce::jlimit(0.0f, 1.0f, position);
}

int meterSegmentCount(float innerHeight, float scale)
{
    return juce::jlimit(4, 10, (int) std::floor(innerHeight / (17.0f * scale)));
}

namespace
{
float widthOf(const char* text, float fontHeight)
{
    return compat::makeFont(fontHeight).getStringWidthFloat(text);
}
} // namespace

MeterLayout layoutLevelMeter(juce::Rectangle<float> area, float scale)
{
    MeterLayout m;
    const float strip = juce::jlimit(18.0f * scale, 30.0f * scale, area.getHeight() * 0.11f);
    m.captionFontHeight = std::max(minimumTextHeight, juce::jlimit(13.0f * scale, 18.0f * scale, strip * 0.62f));
    const float captionH = std::max(strip, m.captionFontHeight + 2.0f);
    m.captionArea = area.removeFromTop(captionH);

    // The peak box over the trough, when its widest text fits and the trough keeps three times its
    // height.
    m.textFontHeight = textHeight(11.0f, scale);
    const float peakH = std::max(16.0f * scale, m.textFontHeight + 2.0f);
    const float peakTextW = std::max(widthOf("-60.0", m.textFontHeight), widthOf("OVER", m.textFontHeight)) + 2.0f;
    if (area.getWidth() >= peakTextW && area.getHeight() >= 4.0f * peakH + 2.0f * scale)
    {
        const auto box = area.removeFromTop(peakH);
        m.peakBox = juce::Rectangle<int>::leftTopRightBottom((int) std::ceil(box.getX()), (int) std::ceil(box.getY()),
                                                             (int) std::floor(box.getRight()),
                                                             (int) std::floor(box.getBottom()));
        area.removeFromTop(2.0f * scale);
    }

    // The scale's gutter at the left, while the trough keeps its least width.
    const float padX = juce::jlimit(2.0f, 8.0f, area.getWidth() * 0.18f);
    const float padY = juce::jlimit(1.0f, 6.0f, area.getHeight() * 0.02f);
    const float gutterW = widthOf("-48", m.textFontHeight) + 3.0f * scale + 1.0f;
    const bool withScale = area.getWidth() - gutterW - padX >= std::max(20.0f, 36.0f * scale);
    m.bar = withScale ? area.withTrimmedLeft(gutterW).withTrimmedRight(padX).reduced(0.0f, padY)
                      : area.reduced(padX, padY);

    const float inset = juce::jlimit(2.0f, 6.0f, std::min(m.bar.getWidth(), m.bar.getHeight()) * 0.11f);
    m.inner = m.bar.reduced(inset);

    m.gap = juce::jlimit(1.0f, 3.0f, m.inner.getHeight() * 0.012f);
    // Two columns where each keeps at least 5 pixels (8 of the reference panel).
    m.channels = m.inner.getWidth() >= 2.0f * std::max(5.0f, 8.0f * scale) + m.gap ? 2 : 1;
    // As many segments as the height holds, at least 2 pixels each, on a meter too short for four.
    m.count = std::max(1, std::min(meterSegmentCount(m.inner.getHeight(), scale),
                                   (int) std::floor((m.inner.getHeight() + m.gap) / (2.0f + m.gap))));
    m.segmentHeight = std::max((m.inner.getHeight() - (float) (m.count - 1) * m.gap) / (float) m.count, 2.0f);
    m.corner = juce::jlimit(1.0f, 2.5f, m.segmentHeight * 0.22f);

    if (withScale)
    {
        const float x = area.getX(), w = gutterW - 3.0f * scale;
        const float top = m.bar.getY(), bottom = m.bar.getBottom();
        juce::Rectangle<int> previous;
        for (size_t i = 0; i < MeterLayout::markDb.size(); ++i)
        {
            const float y = m.yForPosition(1.0f - MeterLayout::markDb[i] / MeterLayout::floorDb);
            const float boxTop = juce::jlimit(top, std::max(top, bottom - m.textFontHeight), y - m.textFontHeight * 0.5f);
            const auto box = juce::Rectangle<float>(x, boxTop, w, m.textFontHeight).getSmallestIntegerContainer();
            if (i == 0 || !box.intersects(previous))
            {
                m.scaleLabels[i] = {MeterLayout::markTexts[i], box};
                previous = box;
            }
        }
    }
    return m;
}

bool isMeterSegmentLit(int i, int count, float level, bool powerOn)
{
    return powerOn && level >= (float) (i + 1) / (float) count - 0.08f;
}

juce::Colour meterSegmentColour(int i, bool powerOn, bool lit)
{
    const auto base = !powerOn   ? palette::panel::unpowered
                      : i >= 8 ? palette::panel::meterSegmentTop
                               : palette::panel::meterSegment;
    return lit ? base : base.withAlpha((juce::uint8) 0x33);
}

juce::String meterPeakText(float position)
{
    if (!(position > 0.0f))
        return "-inf";
    // Adding 0 turns full scale's -0 into 0.
    return juce::String(MeterLayout::floorDb * (1.0f - std::min(position, 1.0f)) + 0.0f, 1);
}

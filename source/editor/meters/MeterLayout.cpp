#include "editor/meters/MeterLayout.h"

#include "editor/look/Palette.h"

#include <algorithm>
#include <cmath>

juce::Rectangle<float> MeterLayout::segment(int i) const
{
    const float y = inner.getBottom() - (float) (i + 1) * segmentHeight - (float) i * gap;
    return {inner.getX(), y, inner.getWidth(), segmentHeight};
}

int meterSegmentCount(float innerHeight, float scale)
{
    return juce::jlimit(4, 10, (int) std::floor(innerHeight / (17.0f * scale)));
}

MeterLayout layoutLevelMeter(juce::Rectangle<float> area, float scale)
{
    MeterLayout m;
    const float captionH = juce::jlimit(18.0f * scale, 30.0f * scale, area.getHeight() * 0.11f);
    m.captionFontHeight = juce::jlimit(13.0f * scale, 18.0f * scale, captionH * 0.62f);
    m.captionArea = area.removeFromTop(captionH);

    const float padX = juce::jlimit(2.0f, 8.0f, area.getWidth() * 0.18f);
    const float padY = juce::jlimit(1.0f, 6.0f, area.getHeight() * 0.02f);
    m.bar = area.reduced(padX, padY);

    const float inset = juce::jlimit(2.0f, 6.0f, std::min(m.bar.getWidth(), m.bar.getHeight()) * 0.11f);
    m.inner = m.bar.reduced(inset);

    m.count = meterSegmentCount(m.inner.getHeight(), scale);
    m.gap = juce::jlimit(1.0f, 3.0f, m.inner.getHeight() * 0.012f);
    m.segmentHeight = std::max((m.inner.getHeight() - (float) (m.count - 1) * m.gap) / (float) m.count, 2.0f);
    m.corner = juce::jlimit(1.0f, 2.5f, m.segmentHeight * 0.22f);
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

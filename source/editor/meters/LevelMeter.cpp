#include "editor/meters/LevelMeter.h"

#include "editor/look/Palette.h"
#include "editor/meters/MeterLayout.h"
#include "compat/JuceCompat.h"

LevelMeter::LevelMeter(const juce::String& meterCaption, std::function<float(int channel)> levelSource)
    : caption(meterCaption), readLevel(std::move(levelSource))
{
    setInterceptsMouseClicks(true, false);
}

// A caption over a dark trough, the scale's labels beside it; with power off the caption is grey.
void LevelMeter::paintFrame(juce::Graphics& g) const
{
    const auto m = layoutLevelMeter(area, scale);

    g.setColour(powerOn ? palette::panel::meterCaption : palette::panel::meterCaptionOff);
    g.setFont(compat::makeFont(m.captionFontHeight, juce::Font::bold));
    g.drawText(caption, m.captionArea.toNearestInt(), juce::Justification::centred, false);

    g.setColour(palette::panel::meterTrough);
    g.fillRoundedRectangle(m.bar, 6.0f);
    g.setColour(palette::panel::meterTroughEdge);
    g.drawRoundedRectangle(m.bar, 6.0f, 1.0f);

    // Every segment unlit; paint lights them over these.
    for (int c = 0; c < m.channels; ++c)
        for (int i = 0; i < m.count; ++i)
        {
            g.setColour(meterSegmentColour(i, powerOn, false));
            g.fillRoundedRectangle(m.segment(i, c), m.corner);
        }

    g.setColour(palette::panel::meterScaleText);
    g.setFont(compat::makeFont(m.textFontHeight));
    for (const auto& label : m.scaleLabels)
        if (label.text != nullptr)
            g.drawText(label.text, label.box, juce::Justification::centredRight, false);
}

std::array<float, MeterPeaks::maxChannels> LevelMeter::takeLevels()
{
    const double nowMs = juce::Time::getMillisecondCounterHiRes();
    std::array<float, MeterPeaks::maxChannels> levels{};
    for (int c = 0; c < MeterPeaks::maxChannels; ++c)
    {
        levels[(size_t) c] = readLevel(c);
        if (powerOn)
            peaks.take(c, levels[(size_t) c], nowMs);
    }
    return levels;
}

juce::String LevelMeter::shownAt(const std::array<float, MeterPeaks::maxChannels>& levels) const
{
    if (!powerOn)
        return {};
    const auto m = layoutLevelMeter(area, scale);
    juce::String shown;
    for (int c = 0; c < m.channels; ++c)
    {
        const float level = m.channels == 2 ? levels[(size_t) c] : std::max(levels[0], levels[1]);
        int lit = 0;
        while (lit < m.count && isMeterSegmentLit(lit, m.count, level, true))
            ++lit;
        const float held = m.channels == 2 ? peaks.held(c) : std::max(peaks.held(0), peaks.held(1));
        shown << lit << ' ' << (held > 0.0f ? (int) std::round(m.yForPosition(held)) : -1) << ' ';
    }
    if (!m.peakBox.isEmpty())
        shown << (peaks.isOver() ? juce::String("OVER") : meterPeakText(peaks.highest()));
    return shown;
}

void LevelMeter::refresh()
{
    if (shownAt(takeLevels()) != drawn)
        repaint();
}

void LevelMeter::paint(juce::Graphics& g)
{
    drawInParentCoordinates(g);
    const auto m = layoutLevelMeter(area, scale);
    const auto levels = takeLevels();
    drawn = shownAt(levels);

    if (!powerOn)
        return;

    // The lit segments over the unlit ones of the picture, one path per colour (filled at once,
    // which costs a fraction of a fill per segment).
    juce::Path lit[2];
    for (int c = 0; c < m.channels; ++c)
    {
        // One column shows the louder channel.
        const float level = m.channels == 2 ? levels[(size_t) c] : std::max(levels[0], levels[1]);
        for (int i = 0; i < m.count && isMeterSegmentLit(i, m.count, level, true); ++i)
            lit[meterSegmentColour(i, true, true) == palette::panel::meterSegment ? 0 : 1].addRoundedRectangle(
                m.segment(i, c), m.corner);
    }
    g.setColour(palette::panel::meterSegment);
    g.fillPath(lit[0]);
    g.setColour(palette::panel::meterSegmentTop);
    g.fillPath(lit[1]);

    g.setColour(palette::panel::meterPeakText);
    for (int c = 0; c < m.channels; ++c)
    {
        const float held = m.channels == 2 ? peaks.held(c) : std::max(peaks.held(0), peaks.held(1));
        if (held > 0.0f)
            g.fillRect(m.column(c).withY(std::round(m.yForPosition(held))).withHeight(std::max(1.0f, 2.0f * scale)));
    }

    if (m.peakBox.isEmpty())
        return;
    g.setFont(compat::makeFont(m.textFontHeight));
    if (peaks.isOver())
    {
        g.setColour(palette::panel::meterOver);
        g.fillRoundedRectangle(m.peakBox.toFloat(), 3.0f * scale);
        g.setColour(palette::panel::meterOverText);
        g.drawText("OVER", m.peakBox, juce::Justification::centred, false);
    }
    else
    {
        g.setColour(palette::panel::meterPeakText);
        g.drawText(meterPeakText(peaks.highest()), m.peakBox, juce::Justification::centred, false);
    }
}

void LevelMeter::mouseDown(const juce::MouseEvent&)
{
    peaks.reset();
    repaint();
}

#include "editor/meters/LevelMeter.h"

#include "editor/look/Palette.h"
#include "editor/meters/MeterLayout.h"
#include "plugin/JuceCompat.h"

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

    g.setColour(palette::panel::meterScaleText);
    g.setFont(compat::makeFont(m.textFontHeight));
    for (const auto& label : m.scaleLabels)
        if (label.text != nullptr)
            g.drawText(label.text, label.box, juce::Justification::centredRight, false);
}

void LevelMeter::paint(juce::Graphics& g)
{
    drawInParentCoordinates(g);
    const auto m = layoutLevelMeter(area, scale);
    const double nowMs = juce::Time::getMillisecondCounterHiRes();
    const float levels[] = {readLevel(0), readLevel(1)};
    if (powerOn)
        for (int c = 0; c < MeterPeaks::maxChannels; ++c)
            peaks.take(c, levels[c], nowMs);

    for (int c = 0; c < m.channels; ++c)
    {
        // One column shows the louder channel.
        const float level = m.channels == 2 ? levels[c] : std::max(levels[0], levels[1]);
        for (int i = 0; i < m.count; ++i)
        {
            g.setColour(meterSegmentColour(i, powerOn, isMeterSegmentLit(i, m.count, level, powerOn)));
            g.fillRoundedRectangle(m.segment(i, c), m.corner);
        }
        const float held = m.channels == 2 ? peaks.held(c) : std::max(peaks.held(0), peaks.held(1));
        if (powerOn && held > 0.0f)
        {
            const auto column = m.column(c);
            g.setColour(palette::panel::meterPeakText);
            g.fillRect(column.withY(std::round(m.yForPosition(held))).withHeight(std::max(1.0f, 2.0f * scale)));
        }
    }

    if (!powerOn || m.peakBox.isEmpty())
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

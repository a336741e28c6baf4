#include "editor/meters/LevelMeter.h"

#include "editor/look/Palette.h"
#include "editor/meters/MeterLayout.h"
#include "compat/JuceCompat.h"

LevelMeter::LevelMeter(const juce::String& meterCaption, std::function<float()> levelSource)
    : caption(meterCaption), readLevel(std::move(levelSource))
{
}

// A caption over a dark trough; with power off the caption is grey.
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
}

void LevelMeter::paint(juce::Graphics& g)
{
    drawInParentCoordinates(g);
    const auto m = layoutLevelMeter(area, scale);
    const float level = readLevel();
    for (int i = 0; i < m.count; ++i)
    {
        g.setColour(meterSegmentColour(i, powerOn, isMeterSegmentLit(i, m.count, level, powerOn)));
        g.fillRoundedRectangle(m.segment(i), m.corner);
    }
}

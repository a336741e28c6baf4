#include "editor/MeterModel.h"
#include "editor/Palette.h"
#include "editor/TarvoltGUI.h"
#include "plugin/JuceCompat.h"

// A caption over a dark trough; with power off the caption is grey.
void TarvoltGUI::drawLevelMeterFrame(juce::Graphics& g, juce::Rectangle<float> area, const juce::String& caption,
                                     bool on)
{
    const auto m = layoutLevelMeter(area, layout.scale);

    g.setColour(on ? palette::panel::meterCaption : palette::panel::meterCaptionOff);
    g.setFont(compat::makeFont(m.captionFontHeight, juce::Font::bold));
    g.drawText(caption, m.captionArea.toNearestInt(), juce::Justification::centred, false);

    g.setColour(palette::panel::meterTrough);
    g.fillRoundedRectangle(m.bar, 6.0f);
    g.setColour(palette::panel::meterTroughEdge);
    g.drawRoundedRectangle(m.bar, 6.0f, 1.0f);
}

// The segments in the trough, lit from the bottom up to the level (a meter position, 0..1); with
// power off every segment is dim grey.
void TarvoltGUI::drawLevelMeterSegments(juce::Graphics& g, juce::Rectangle<float> area, float level, bool on)
{
    const auto m = layoutLevelMeter(area, layout.scale);
    for (int i = 0; i < m.count; ++i)
    {
        g.setColour(meterSegmentColour(i, on, isMeterSegmentLit(i, m.count, level, on)));
        g.fillRoundedRectangle(m.segment(i), m.corner);
    }
}

#include "editor/TarvoltAudioProcessorEditor.h"

#include "processor/TarvoltAudioProcessor.h"

TarvoltAudioProcessorEditor::TarvoltAudioProcessorEditor(TarvoltAudioProcessor& p)
    : juce::AudioProcessorEditor(p), processor(p), panel(p)
{
    addAndMakeVisible(panel);
    applyEditorSize();
}

void TarvoltAudioProcessorEditor::paint(juce::Graphics& g)
{
    // The menu bar's strip, until the bar itself covers it.
    g.setColour(juce::Colour(0xFF080A0F));
    g.fillRect(getLocalBounds().removeFromTop(panel.getY()));
}

void TarvoltAudioProcessorEditor::resized()
{
    const int barHeight = juce::roundToInt((float) getHeight() * layout.menuBarHeightFraction);
    panel.setBounds(0, barHeight, getWidth(), getHeight() - barHeight);
}

juce::Rectangle<int> TarvoltAudioProcessorEditor::getDisplayUserArea() const
{
    const auto& displays = juce::Desktop::getInstance().getDisplays();
    if (const auto* display = displays.getDisplayForRect(getScreenBounds()))
        return display->userArea;
    if (const auto* primary = displays.getPrimaryDisplay())
        return primary->userArea;

    juce::Rectangle<int> all;
    for (const auto& display : displays.displays)
        if (!display.userArea.isEmpty())
            all = all.isEmpty() ? display.userArea : all.getUnion(display.userArea);
    return all;
}

void TarvoltAudioProcessorEditor::applyEditorSize()
{
    const auto size = computeEditorSize(getDisplayUserArea(), layout);
    setResizeLimits(size.minWidth, size.minHeight, size.maxWidth, size.maxHeight);
    if (auto* limits = getConstrainer())
        limits->setFixedAspectRatio(size.aspectRatio);
    setSize(size.width, size.height);
}

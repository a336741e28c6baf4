#include "editor/TarvoltAudioProcessorEditor.h"

#include "processor/TarvoltAudioProcessor.h"

TarvoltAudioProcessorEditor::TarvoltAudioProcessorEditor(TarvoltAudioProcessor& p)
    : juce::AudioProcessorEditor(p), processor(p), panel(p)
{
    bar.setPresetManager(&processor);
    bar.onResolutionChange = [this](MenuBar::ResolutionMode mode) { panel.setResolutionMode(mode); };
    addAndMakeVisible(panel);
    addAndMakeVisible(bar);
    applyEditorSize();
}

void TarvoltAudioProcessorEditor::paint(juce::Graphics&)
{
    // The bar and the panel cover the whole window.
}

void TarvoltAudioProcessorEditor::resized()
{
    const int barHeight = (int) std::lround((float) getHeight() * layout.menuBarHeightFraction);
    bar.setBounds(0, 0, getWidth(), barHeight);
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

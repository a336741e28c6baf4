#include "editor/TarvoltAudioProcessorEditor.h"

#include "editor/Rounding.h"
#include "processor/TarvoltAudioProcessor.h"

TarvoltAudioProcessorEditor::TarvoltAudioProcessorEditor(TarvoltAudioProcessor& p)
    : juce::AudioProcessorEditor(p), processor(p), panel(p)
{
    bar.setPresetManager(&processor);
    // The panel draws with the resolution the bar shows, from the first paint on.
    panel.setResolutionMode(bar.getResolutionMode());
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
    const int barHeight = roundHalfAway((float) getHeight() * layout.menuBarHeightFraction);
    bar.setBounds(0, 0, getWidth(), barHeight);
    panel.setBounds(0, barHeight, getWidth(), getHeight() - barHeight);
}

juce::Rectangle<int> TarvoltAudioProcessorEditor::getDisplayUserArea() const
{
    // While the editor is being built it is on no screen yet; a host may already have put it
    // into a window of its own.
    const auto* window = getTopLevelComponent();
    const auto windowBounds = window->isOnDesktop() ? window->getScreenBounds() : juce::Rectangle<int>();
    return chooseDisplayUserArea(juce::Desktop::getInstance().getDisplays().displays, windowBounds);
}

void TarvoltAudioProcessorEditor::applyEditorSize()
{
    const auto size = computeEditorSize(getDisplayUserArea(), layout);
    setResizeLimits(size.minWidth, size.minHeight, size.maxWidth, size.maxHeight);
    if (auto* limits = getConstrainer())
        limits->setFixedAspectRatio(size.aspectRatio);
    setSize(size.width, size.height);
}

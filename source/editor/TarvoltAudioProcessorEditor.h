#pragma once

#include "editor/EditorSize.h"
#include "editor/TarvoltGUI.h"
#include "processor/ProductInfo.h"

#include <juce_audio_processors/juce_audio_processors.h>

class TarvoltAudioProcessor;

// The plug-in's window: the main panel below a strip for the menu bar, sized once from the
// screen that shows it, resizable within limits at a fixed aspect ratio.
class TarvoltAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit TarvoltAudioProcessorEditor(TarvoltAudioProcessor& processor);
    ~TarvoltAudioProcessorEditor() override = default;

    void paint(juce::Graphics& g) override;
    void resized() override;

private:
    friend struct TarvoltEditorTestAccess;

    // The usable area (without task bars) of the display showing the editor, in logical pixels.
    juce::Rectangle<int> getDisplayUserArea() const;
    void applyEditorSize();

    TarvoltAudioProcessor& processor;
    const ProductInfo layout;
    TarvoltGUI panel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarvoltAudioProcessorEditor)
};

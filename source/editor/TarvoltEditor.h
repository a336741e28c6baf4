#pragma once

#include "editor/EditorSize.h"
#include "editor/bar/MenuBar.h"
#include "editor/panel/MainPanel.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

class LevelMeters;
class LiveFeed;
class PluginState;

// The plug-in's window: the menu bar above the main panel, sized once from the screen that
// shows it, resizable within limits at a fixed aspect ratio. It shows and edits the plug-in's
// state, and shows the audio through the meters and the live feed; the processor it belongs to
// is only the framework's concern. Of its settings only the display mode outlives it (the state
// keeps it).
class TarvoltEditor : public juce::AudioProcessorEditor
{
public:
    TarvoltEditor(juce::AudioProcessor& processor, PluginState& state, LiveFeed& liveFeed, const LevelMeters& meters);
    ~TarvoltEditor() override = default;

    void paint(juce::Graphics& g) override;
    void resized() override;

    // The signal display's mode (the menu bar's "Display Mode" choice): kept with the state, shown
    // by the panel.
    void setDisplayMode(DisplayMode mode) { panel.setDisplayMode(mode); }

private:
    friend struct TarvoltEditorTestAccess;

    // The usable area (without task bars) of the display showing the editor, in logical pixels.
    juce::Rectangle<int> getDisplayUserArea() const;
    void applyEditorSize();
    void addDisplayModeChoice();
    void addParameterChoices();

    PluginState& state;
    const EditorProportions layout;
    MainPanel panel;
    MenuBar bar;
    std::vector<std::unique_ptr<juce::ParameterAttachment>> choiceAttachments;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarvoltEditor)
};

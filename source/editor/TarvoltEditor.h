#pragma once

#include "editor/EditorSize.h"
#include "editor/KeyboardOwner.h"
#include "editor/bar/MenuBar.h"
#include "editor/look/ResizeGripLookAndFeel.h"
#include "editor/panel/MainPanel.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

class LevelMeters;
class LiveFeed;
class PluginState;

// The plug-in's window: the menu bar above the main panel, sized once from the screen that
// shows it, resizable within limits at a fixed aspect ratio, by the host or by its own grip in the
// bottom-right corner (so that it shrinks in any host). A size the host imposes that breaks the
// ratio is corrected at once, and the host is told. It shows and edits the plug-in's state, and
// shows the audio through the meters and the live feed; the processor it belongs to is only the
// framework's concern. Of its settings only the display mode outlives it (the state keeps it).
class TarvoltEditor : public juce::AudioProcessorEditor, private juce::AsyncUpdater
{
public:
    TarvoltEditor(juce::AudioProcessor& processor, PluginState& state, LiveFeed& liveFeed, const LevelMeters& meters);
    ~TarvoltEditor() override;

    void paint(juce::Graphics& g) override;
    void resized() override;
    void parentHierarchyChanged() override;

    // The signal display's mode (the menu bar's "Display Mode" choice): kept with the state, shown
    // by the panel.
    void setDisplayMode(DisplayMode mode) { panel.setDisplayMode(mode); }

private:
    friend struct TarvoltEditorTestAccess;

    // The usable area (without task bars) of the display showing the editor, in logical pixels.
    juce::Rectangle<int> getDisplayUserArea() const;
    void applyEditorSize();
    // Puts the size back to the aspect ratio after a host imposed one that breaks it.
    void handleAsyncUpdate() override;
    void addDisplayModeChoice();
    void addParameterChoices();

    PluginState& state;
    const EditorProportions layout;
    EditorSize sizeLimits;
    ResizeGripLookAndFeel gripLook; // the grip (the base class's) outlives it: the destructor detaches it
    MainPanel panel;
    MenuBar bar;
    std::vector<std::unique_ptr<juce::ParameterAttachment>> choiceAttachments;
    KeyboardOwner keyboard;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarvoltEditor)
};

#pragma once

#include "editor/bar/IconButton.h"
#include "editor/bar/MenuBarLookAndFeel.h"
#include "editor/bar/PresetDialogs.h"
#include "editor/bar/PresetMenu.h"
#include "editor/bar/SettingsMenu.h"
#include "state/PresetManager.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The strip across the top of the editor: the current preset on a drop-down button that opens
// the preset menu, between arrows that step to the previous and the next preset, a Save button
// that opens the save dialog, and a gear button that opens the settings menu. It keeps the preset caption
// current (a timer polls the preset manager).
class MenuBar : public juce::Component, private juce::Timer
{
public:
    MenuBar();
    ~MenuBar() override;

    // The preset manager whose current preset the bar shows and whose presets its menu and
    // dialogs act on (may be null); refreshes the caption.
    void setPresetManager(PresetManager* manager);
    void refreshPresetCaption();

    // The preset caption for a display name: trimmed, "Presets" when empty or exactly
    // "Preset", followed by two spaces and a small down-pointing triangle.
    static juce::String captionFor(const juce::String& displayName);

    // What the three buttons do.
    void showPresetMenu();
    void showSaveDialog();
    void showSettingsMenu();

    // Runs once a menu opened from the bar has closed.
    std::function<void()> onMenuClosed;

    // The editor hands the settings menu its further choices and hears the resolution chosen.
    SettingsMenu& getSettingsMenu() noexcept { return settingsMenu; }

    void paint(juce::Graphics&) override;
    void resized() override;

private:
    friend struct MenuBarTestAccess;

    void timerCallback() override;

    PresetManager* presetManager = nullptr;
    IconButton previousButton{"Previous Preset"};
    IconButton presetButton{"Preset"};
    IconButton nextButton{"Next Preset"};
    IconButton saveButton{"Save"};
    IconButton settingsButton{"Settings"};

    std::shared_ptr<MenuBarLookAndFeel> menuLook = std::make_shared<MenuBarLookAndFeel>();
    PresetDialogs presetDialogs{*this, [this] { refreshPresetCaption(); }};
    PresetMenu presetMenu{menuLook, presetDialogs, [this] { refreshPresetCaption(); }};
    SettingsMenu settingsMenu{menuLook};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MenuBar)
};

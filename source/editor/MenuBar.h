#pragma once

#include "editor/DialogLookAndFeel.h"
#include "editor/DisplayResolution.h"
#include "editor/IconButton.h"
#include "editor/MenuBarLookAndFeel.h"
#include "editor/Palette.h"
#include "presets/PresettableProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

// The strip across the top of the editor: the current preset on a drop-down button that opens
// the preset menu, a Save button, and a settings button with the display-resolution choice and
// the other choices the editor hands it (addSettingsChoice).
class MenuBar : public juce::Component, private juce::Timer
{
public:
    using ResolutionMode = DisplayResolution;

    // Menu item ids. User-preset ids come in three ranges of this size, so at most this many
    // user presets are listed: no "Load" can ever be taken for a "Rename" or a "Delete".
    static constexpr int factoryIdBase = 1000;
    static constexpr int loadIdBase = 2000;
    static constexpr int renameIdBase = 5000;
    static constexpr int deleteIdBase = 8000;
    static constexpr int deleteIdLast = 910000;
    static constexpr int maxListedUserPresets = renameIdBase - loadIdBase;
    static constexpr int resolutionIdBase = 910001; // Auto; Low, Medium, High follow
    static constexpr int settingsChoiceIdBase = 920000; // choice k, option i: base + 100 k + i

    MenuBar();
    ~MenuBar() override;

    // The preset manager whose current preset the bar shows (may be null); refreshes the caption.
    void setPresetManager(PresettableProcessor* manager);

    void refreshPresetCaption();

    // Chosen in the settings button's menu; not saved anywhere.
    std::function<void(ResolutionMode)> onResolutionChange;
    ResolutionMode getResolutionMode() const noexcept { return resolutionMode; }

    // A further choice of the settings menu, in its own section after the display resolution,
    // the current option ticked.
    struct SettingsChoice
    {
        juce::String title;
        juce::StringArray options;
        std::function<int()> current;
        std::function<void(int)> choose;
    };
    void addSettingsChoice(SettingsChoice choice);

    void paint(juce::Graphics&) override;
    void resized() override;

    //==============================================================================
    // The preset menu and the dialogs (message thread only).
    juce::PopupMenu createPresetMenu();
    void showPresetMenu();
    void handlePresetMenuResult(int result);

    juce::PopupMenu createResolutionMenu();
    void showResolutionMenu();
    void handleResolutionMenuResult(int result);

    void showSavePresetDialog();
    void showRenamePresetDialog(const juce::String& oldName);
    void showDeletePresetDialog(const juce::String& name);

    void savePresetNamed(const juce::String& name);
    void renamePresetTo(const juce::String& oldName, const juce::String& newName);
    void overwriteRenamePreset(const juce::String& oldName, const juce::String& newName);

    juce::String getDefaultPresetName();
    juce::String makeUniquePresetName(const juce::String& base);
    bool userPresetExists(const juce::String& name);

    void showSuccessMessage(const juce::String& title, const juce::String& message);
    void positionDialog(juce::AlertWindow& dialog);

    // The bar's parts, for the editor and for tests.
    IconButton& getPresetButton() noexcept { return presetButton; }
    IconButton& getSaveButton() noexcept { return saveButton; }
    IconButton& getSettingsButton() noexcept { return settingsButton; }
    MenuBarLookAndFeel& getMenuLookAndFeel() noexcept { return *lookAndFeel; }
    DialogLookAndFeel& getDialogLookAndFeel() noexcept { return dialogLookAndFeel; }

    // The preset caption for a display name: trimmed, "Presets" when empty or exactly
    // "Preset", followed by two spaces and a small down-pointing triangle.
    static juce::String captionFor(const juce::String& displayName);

private:
    void timerCallback() override;

    // Creates a dialog with the bar's look, positions it, shows it modally and keeps track of it
    // so it can be closed if the bar goes away first.
    juce::AlertWindow* openDialog(const juce::String& title, const juce::String& message,
                                  juce::MessageBoxIconType icon);
    juce::AlertWindow* adoptDialog(juce::AlertWindow* dialog);
    void showModal(juce::AlertWindow* dialog, std::function<void(int)> onResult, bool deleteWhenDismissed);
    // A warning with a confirming button and "Cancel"; `onConfirm` runs once the user confirms,
    // if the bar still has a preset manager then.
    void askToConfirm(const juce::String& title, const juce::String& message,
                      const juce::String& confirmButtonText, std::function<void(MenuBar&)> onConfirm);
    // The overwrite prompt for a name.
    void askToOverwrite(const juce::String& name, std::function<void(MenuBar&)> overwrite);
    // A name dialog (save, rename); `onName` gets the trimmed name once the user confirms, if
    // the bar still has a preset manager then.
    void askForName(const juce::String& title, const juce::String& message, const juce::String& initialName,
                    const juce::String& confirmButtonText,
                    std::function<void(MenuBar&, juce::String)> onName);

    juce::StringArray listedUserPresets();

    PresettableProcessor* presetManager = nullptr;
    IconButton presetButton{"Preset"};
    IconButton saveButton{"Save"};
    // Shared with the callbacks of open menus: a menu's window lets go of its look only after the
    // bar is gone when the editor closes while the menu is open.
    std::shared_ptr<MenuBarLookAndFeel> lookAndFeel = std::make_shared<MenuBarLookAndFeel>();
    DialogLookAndFeel dialogLookAndFeel;
    juce::Colour backgroundColour = palette::bar::background;

    IconButton settingsButton{"Settings"};
    ResolutionMode resolutionMode = ResolutionMode::Auto;
    std::vector<SettingsChoice> settingsChoices;

    juce::Array<juce::Component::SafePointer<juce::AlertWindow>> openDialogs;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MenuBar)
};

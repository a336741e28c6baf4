#pragma once

#include "editor/bar/DialogLookAndFeel.h"
#include "state/PresetManager.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The preset dialogs the menu bar opens: save, rename and delete, the overwrite prompt and the
// success message that closes itself, and the steps that follow the user's answers. Each dialog
// has the dark look and is centred on the editor that holds the anchor (the bar); dialogs still
// open when this goes are closed first. Message thread only.
class PresetDialogs
{
public:
    // onPresetChanged runs after a preset was saved, renamed or deleted.
    PresetDialogs(juce::Component& anchor, std::function<void()> onPresetChanged);
    ~PresetDialogs();

    // The preset manager the dialogs act on (may be null: then they do nothing).
    void setPresetManager(PresetManager* manager) noexcept { presetManager = manager; }

    void showSaveDialog();
    void showRenameDialog(const juce::String& oldName);
    void showDeleteDialog(const juce::String& name);

    // What the dialogs do once the user has answered: save under a name (asking before it replaces
    // a preset), rename (likewise), rename over an existing preset.
    void saveAs(const juce::String& name);
    void rename(const juce::String& oldName, const juce::String& newName);
    void renameReplacing(const juce::String& oldName, const juce::String& newName);

    // The name the save dialog proposes: the current user preset's, else "MyPreset" made unique.
    juce::String proposedName();
    // base (trimmed; "MyPreset" when empty), or base followed by 1, 2, ... 9999, or by "_New":
    // the first that no user preset carries, letter case ignored.
    juce::String uniqueName(const juce::String& base);
    // True when a user preset carries the name, as listed or as the file it maps to.
    bool userPresetExists(const juce::String& name);

    void showSuccessMessage(const juce::String& title, const juce::String& message);

private:
    // Gives a dialog the look and keeps track of it, so it can be closed if this goes first.
    juce::AlertWindow* adopt(juce::AlertWindow* dialog);
    // Centres a dialog on the editor, at most its size and at least 175 pixels tall.
    void position(juce::AlertWindow& dialog);
    void showModal(juce::AlertWindow* dialog, std::function<void(int)> onResult, bool deleteWhenDismissed);
    // A warning with a confirming button and "Cancel"; onConfirm runs once the user confirms, if
    // there is still a preset manager then.
    void askToConfirm(const juce::String& title, const juce::String& message,
                      const juce::String& confirmButtonText, std::function<void(PresetDialogs&)> onConfirm);
    void askToOverwrite(const juce::String& name, std::function<void(PresetDialogs&)> overwrite);
    // A name dialog (save, rename); onName gets the trimmed name once the user confirms, if there
    // is still a preset manager then.
    void askForName(const juce::String& title, const juce::String& message, const juce::String& initialName,
                    const juce::String& confirmButtonText,
                    std::function<void(PresetDialogs&, juce::String)> onName);
    void presetChanged(const juce::String& successMessage);

    juce::Component& anchor;
    std::function<void()> onPresetChanged;
    PresetManager* presetManager = nullptr;
    DialogLookAndFeel look;
    juce::Array<juce::Component::SafePointer<juce::AlertWindow>> openDialogs;

    JUCE_DECLARE_WEAK_REFERENCEABLE(PresetDialogs)
    JUCE_DECLARE_NON_COPYABLE(PresetDialogs)
};

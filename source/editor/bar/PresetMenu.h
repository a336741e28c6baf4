#pragma once

#include "editor/bar/MenuBarLookAndFeel.h"
#include "state/PresetManager.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

class PresetDialogs;

// The menu bar's preset drop-down: the factory presets to load (the current one ticked), then the
// user presets, each loaded by a click on its name and renamed or deleted from its submenu.
// Renaming and deleting go on in the preset dialogs. The bar's arrows step through the same list.
// Message thread only.
class PresetMenu
{
public:
    // Item ids. User-preset ids come in three ranges of this size, so at most this many user
    // presets are listed: no "Load" can ever be taken for a "Rename" or a "Delete".
    static constexpr int factoryIdBase = 1000;
    static constexpr int loadIdBase = 2000;
    static constexpr int renameIdBase = 5000;
    static constexpr int deleteIdBase = 8000;
    static constexpr int deleteIdLast = 910000;
    static constexpr int maxListedUserPresets = renameIdBase - loadIdBase;

    // onPresetLoaded runs after a preset was loaded from the menu.
    PresetMenu(std::shared_ptr<MenuBarLookAndFeel> look, PresetDialogs& dialogs,
               std::function<void()> onPresetLoaded);

    // The preset manager the menu lists and acts on (may be null: then it shows nothing).
    void setPresetManager(PresetManager* manager) noexcept { presetManager = manager; }

    juce::PopupMenu create();
    // Opens the menu under the target (the bar's preset button), sized for a bar of that height;
    // the choice arrives later, at handleResult.
    void show(juce::Component& target, float barHeight);
    // Runs once the menu has closed, chosen from or not, before the choice is acted on.
    std::function<void()> onClosed;
    void handleResult(int result);

    // Loads the preset delta places after the current one in the menu's order (the factory
    // presets, then the user presets), wrapping round at either end. From a state that is none of
    // them, stepping forward loads the first and stepping back the last.
    void step(int delta);

private:
    juce::StringArray listedUserPresets();

    // Shared with the callbacks of open menus: a menu's window lets go of its look only after the
    // bar is gone when the editor closes while the menu is open.
    std::shared_ptr<MenuBarLookAndFeel> look;
    PresetDialogs& dialogs;
    std::function<void()> onPresetLoaded;
    PresetManager* presetManager = nullptr;

    JUCE_DECLARE_WEAK_REFERENCEABLE(PresetMenu)
    JUCE_DECLARE_NON_COPYABLE(PresetMenu)
};

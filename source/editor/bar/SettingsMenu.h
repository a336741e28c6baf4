#pragma once

#include "editor/bar/MenuBarLookAndFeel.h"
#include "editor/display/DisplayResolution.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <vector>

// The menu of the bar's gear button: the display resolution, then the further choices the editor
// hands it (addChoice), each in its own section with the current option ticked. Message thread
// only.
class SettingsMenu
{
public:
    static constexpr int resolutionIdBase = 910001; // Auto; Low, Medium, High follow
    static constexpr int choiceIdBase = 920000;     // choice k, option i: base + 100 k + i

    explicit SettingsMenu(std::shared_ptr<MenuBarLookAndFeel> look);

    // Chosen in the menu; not saved anywhere.
    std::function<void(DisplayResolution)> onResolutionChange;
    DisplayResolution getResolution() const noexcept { return resolution; }

    struct Choice
    {
        juce::String title;
        juce::StringArray options;
        std::function<int()> current;
        std::function<void(int)> choose;
    };
    void addChoice(Choice choice);

    juce::PopupMenu create();
    // Opens the menu under the target (the gear button), sized for a bar of that height; the
    // choice arrives later, at handleResult.
    void show(juce::Component& target, float barHeight);
    // Runs once the menu has closed, chosen from or not, before the choice is acted on.
    std::function<void()> onClosed;
    void handleResult(int result);

private:
    std::shared_ptr<MenuBarLookAndFeel> look; // shared with open menus, as the preset menu's
    DisplayResolution resolution = DisplayResolution::Auto;
    std::vector<Choice> choices;

    JUCE_DECLARE_WEAK_REFERENCEABLE(SettingsMenu)
    JUCE_DECLARE_NON_COPYABLE(SettingsMenu)
};

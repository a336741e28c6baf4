// The menu bar's preset menu: factory presets to load, user presets with their actions.

#include "editor/MenuBar.h"

#include "editor/Rounding.h"

juce::StringArray MenuBar::listedUserPresets()
{
    auto names = presetManager != nullptr ? presetManager->getUserPresetNames() : juce::StringArray();
    if (names.size() > maxListedUserPresets)
        names.removeRange(maxListedUserPresets, names.size() - maxListedUserPresets);
    return names;
}

juce::PopupMenu MenuBar::createPresetMenu()
{
    juce::PopupMenu menu;
    if (presetManager == nullptr)
        return menu;

    menu.setLookAndFeel(lookAndFeel.get());
    const auto currentName = presetManager->getCurrentPresetName();
    const bool currentIsUser = presetManager->isCurrentPresetUser();

    menu.addSectionHeader("Factory Presets");
    const auto factoryNames = presetManager->getFactoryPresetNames();
    for (int i = 0; i < factoryNames.size() && i < loadIdBase - factoryIdBase; ++i)
        menu.addItem(factoryIdBase + i, factoryNames[i], true, !currentIsUser && currentName == factoryNames[i]);

    const auto userNames = listedUserPresets();
    if (!userNames.isEmpty())
    {
        menu.addSeparator();
        menu.addSectionHeader("User Presets");
        for (int u = 0; u < userNames.size(); ++u)
        {
            juce::PopupMenu actions;
            actions.setLookAndFeel(lookAndFeel.get());
            actions.addItem(loadIdBase + u, "Load");
            actions.addItem(renameIdBase + u, "Rename");
            actions.addItem(deleteIdBase + u, "Delete");
            menu.addSubMenu(userNames[u], actions, true);
        }
    }
    return menu;
}

void MenuBar::showPresetMenu()
{
    if (presetManager == nullptr)
        return;
    const float h = (float) getHeight();
    lookAndFeel->setSizesForBarHeight(h);

    juce::Component::SafePointer<MenuBar> bar(this);
    createPresetMenu().showMenuAsync(juce::PopupMenu::Options()
                                         .withTargetComponent(&presetButton)
                                         .withMinimumWidth(roundHalfAway(std::max(h * 4.0f, 180.0f)))
                                         .withStandardItemHeight(lookAndFeel->itemHeight),
                                     [bar, look = lookAndFeel](int result) {
                                         if (bar != nullptr)
                                             bar->handlePresetMenuResult(result);
                                     });
}

void MenuBar::handlePresetMenuResult(int result)
{
    if (result == 0 || presetManager == nullptr)
        return;

    if (result >= factoryIdBase && result < loadIdBase)
    {
        const auto names = presetManager->getFactoryPresetNames();
        const int i = result - factoryIdBase;
        if (i < names.size())
        {
            presetManager->loadFactoryPreset(names[i]);
            refreshPresetCaption();
        }
    }
    else if (result >= loadIdBase && result < renameIdBase)
    {
        const auto names = listedUserPresets();
        const int i = result - loadIdBase;
        if (i < names.size() && presetManager->loadUserPreset(names[i]))
            refreshPresetCaption();
    }
    else if (result >= renameIdBase && result < deleteIdBase)
    {
        const auto names = listedUserPresets();
        const int i = result - renameIdBase;
        if (i < names.size())
            showRenamePresetDialog(names[i]);
    }
    else if (result >= deleteIdBase && result <= deleteIdLast)
    {
        const auto names = listedUserPresets();
        const int i = result - deleteIdBase;
        if (i < names.size())
            showDeletePresetDialog(names[i]);
    }
}

#include "editor/bar/PresetMenu.h"

#include "editor/bar/PresetDialogs.h"
#include "editor/look/Rounding.h"

PresetMenu::PresetMenu(std::shared_ptr<MenuBarLookAndFeel> menuLook, PresetDialogs& presetDialogs,
                       std::function<void()> onLoaded)
    : look(std::move(menuLook)), dialogs(presetDialogs), onPresetLoaded(std::move(onLoaded))
{
}

juce::StringArray PresetMenu::listedUserPresets()
{
    auto names = presetManager != nullptr ? presetManager->getUserPresetNames() : juce::StringArray();
    if (names.size() > maxListedUserPresets)
        names.removeRange(maxListedUserPresets, names.size() - maxListedUserPresets);
    return names;
}

juce::PopupMenu PresetMenu::create()
{
    juce::PopupMenu menu;
    if (presetManager == nullptr)
        return menu;

    menu.setLookAndFeel(look.get());
    const auto currentName = presetManager->getCurrentPresetName();
    const bool currentIsUser = presetManager->isCurrentPresetUser();

    menu.addSectionHeader("Factory Presets");
    const auto factoryNames = presetManager->getFactoryPresetNames();
    for (int i = 0; i < factoryNames.size() && i < loadIdBase - factoryIdBase; ++i)
        menu.addItem(factoryIdBase + i, factoryNames[i], true,
                     !currentIsUser && currentName == factoryNames[i]);

    const auto userNames = listedUserPresets();
    if (!userNames.isEmpty())
    {
        menu.addSeparator();
        menu.addSectionHeader("User Presets");
        for (int u = 0; u < userNames.size(); ++u)
        {
            juce::PopupMenu actions;
            actions.setLookAndFeel(look.get());
            actions.addItem(loadIdBase + u, "Load");
            actions.addItem(renameIdBase + u, "Rename");
            actions.addItem(deleteIdBase + u, "Delete");
            menu.addSubMenu(userNames[u], actions, true);
        }
    }
    return menu;
}

void PresetMenu::show(juce::Component& target, float barHeight)
{
    if (presetManager == nullptr)
        return;
    look->setSizesForBarHeight(barHeight);
    create().showMenuAsync(juce::PopupMenu::Options()
                               .withTargetComponent(&target)
                               .withMinimumWidth(roundHalfAway(std::max(barHeight * 4.0f, 180.0f)))
                               .withStandardItemHeight(look->itemHeight),
                           [self = juce::WeakReference<PresetMenu>(this), keep = look](int result)
                           {
                               if (self != nullptr)
                                   self->handleResult(result);
                           });
}

void PresetMenu::handleResult(int result)
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
            onPresetLoaded();
        }
    }
    else if (result >= loadIdBase && result < renameIdBase)
    {
        const auto names = listedUserPresets();
        const int i = result - loadIdBase;
        if (i < names.size() && presetManager->loadUserPreset(names[i]))
            onPresetLoaded();
    }
    else if (result >= renameIdBase && result < deleteIdBase)
    {
        const auto names = listedUserPresets();
        const int i = result - renameIdBase;
        if (i < names.size())
            dialogs.showRenameDialog(names[i]);
    }
    else if (result >= deleteIdBase && result <= deleteIdLast)
    {
        const auto names = listedUserPresets();
        const int i = result - deleteIdBase;
        if (i < names.size())
            dialogs.showDeleteDialog(names[i]);
    }
}

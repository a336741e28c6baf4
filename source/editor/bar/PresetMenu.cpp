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
            // A click on the name loads the preset; its submenu renames or deletes it.
            juce::PopupMenu actions;
            actions.setLookAndFeel(look.get());
            actions.addItem(renameIdBase + u, "Rename");
            actions.addItem(deleteIdBase + u, "Delete");
            menu.addSubMenu(userNames[u], actions, true, nullptr, false, loadIdBase + u);
        }
    }
    return menu;
}

void PresetMenu::step(int delta)
{
    if (presetManager == nullptr)
        return;
    const auto factoryNames = presetManager->getFactoryPresetNames();
    const auto userNames = listedUserPresets();
    const int count = factoryNames.size() + userNames.size();
    if (count == 0)
        return;

    const auto current = presetManager->getCurrentPresetName();
    int index = -1;
    if (!presetManager->isCurrentPresetUser())
        index = factoryNames.indexOf(current);
    else if (userNames.contains(current))
        index = factoryNames.size() + userNames.indexOf(current);
    const int next = index < 0 ? (delta > 0 ? 0 : count - 1) : ((index + delta) % count + count) % count;

    if (next < factoryNames.size())
    {
        presetManager->loadFactoryPreset(factoryNames[next]);
        onPresetLoaded();
    }
    else if (presetManager->loadUserPreset(userNames[next - factoryNames.size()]))
        onPresetLoaded();
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
                               if (self == nullptr)
                                   return;
                               if (self->onClosed)
                                   self->onClosed();
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

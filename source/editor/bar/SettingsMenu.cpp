#include "editor/bar/SettingsMenu.h"

#include "editor/look/Rounding.h"

SettingsMenu::SettingsMenu(std::shared_ptr<MenuBarLookAndFeel> menuLook) : look(std::move(menuLook)) {}

juce::PopupMenu SettingsMenu::create()
{
    juce::PopupMenu menu;
    menu.setLookAndFeel(look.get());
    menu.addSectionHeader("Display Resolution");
    const char* names[] = {"Auto", "Low", "Medium", "High"};
    for (int i = 0; i < 4; ++i)
        menu.addItem(resolutionIdBase + i, names[i], true, (int)resolution == i);
    for (size_t k = 0; k < choices.size(); ++k)
    {
        const auto& choice = choices[k];
        menu.addSectionHeader(choice.title);
        const int current = choice.current();
        for (int i = 0; i < choice.options.size(); ++i)
            menu.addItem(choiceIdBase + 100 * (int)k + i, choice.options[i], true, current == i);
    }
    return menu;
}

void SettingsMenu::addChoice(Choice choice)
{
    jassert(choice.options.size() <= 100);
    choices.push_back(std::move(choice));
}

void SettingsMenu::show(juce::Component& target, float barHeight)
{
    look->setSizesForBarHeight(barHeight);
    create().showMenuAsync(juce::PopupMenu::Options()
                               .withTargetComponent(&target)
                               .withMinimumWidth(roundHalfAway(std::max(barHeight * 2.8f, 130.0f)))
                               .withStandardItemHeight(roundHalfAway(barHeight * 0.33f)),
                           [self = juce::WeakReference<SettingsMenu>(this), keep = look](int result)
                           {
                               if (self == nullptr)
                                   return;
                               if (self->onClosed)
                                   self->onClosed();
                               self->handleResult(result);
                           });
}

void SettingsMenu::handleResult(int result)
{
    const int k = (result - choiceIdBase) / 100, option = (result - choiceIdBase) % 100;
    if (result >= choiceIdBase && k < (int)choices.size() && option < choices[(size_t)k].options.size())
    {
        choices[(size_t)k].choose(option);
        return;
    }
    if (result < resolutionIdBase || result > resolutionIdBase + 3)
        return;
    resolution = (DisplayResolution)(result - resolutionIdBase);
    if (onResolutionChange)
        onResolutionChange(resolution);
}

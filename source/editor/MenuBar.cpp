#include "editor/MenuBar.h"

#include "editor/Rounding.h"

namespace
{
const juce::String captionSuffix = juce::String(juce::CharPointer_UTF8("  \xe2\x96\xbe")); // two spaces, U+25BE
} // namespace

MenuBar::MenuBar()
{
    presetButton.setCaption(captionFor({}));
    saveButton.setCaption("Save");
    settingsButton.setIconKind(IconButton::gearIcon);

    addAndMakeVisible(presetButton);
    addAndMakeVisible(saveButton);
    addAndMakeVisible(settingsButton);

    presetButton.onClick = [this] { showPresetMenu(); };
    saveButton.onClick = [this] { showSavePresetDialog(); };
    settingsButton.onClick = [this] { showResolutionMenu(); };

    startTimer(125);
}

MenuBar::~MenuBar()
{
    stopTimer();

    // Menus and dialogs opened from here use this bar's look-and-feels: close them before those
    // go. Their callbacks find the bar gone and do nothing.
    juce::PopupMenu::dismissAllActiveMenus();
    for (auto& dialog : openDialogs)
        if (auto* d = dialog.getComponent())
        {
            d->setLookAndFeel(nullptr);
            d->exitModalState(0);
        }
}

void MenuBar::setPresetManager(PresettableProcessor* manager)
{
    presetManager = manager;
    refreshPresetCaption();
}

juce::String MenuBar::captionFor(const juce::String& displayName)
{
    auto name = displayName.trim();
    if (name.isEmpty() || name == "Preset")
        name = PresettableProcessor::noPresetName;
    return name + captionSuffix;
}

void MenuBar::refreshPresetCaption()
{
    const auto caption =
        captionFor(presetManager != nullptr ? presetManager->getCurrentPresetDisplayName() : juce::String());
    if (caption != presetButton.getCaption())
        presetButton.setCaption(caption);
}

void MenuBar::timerCallback()
{
    refreshPresetCaption();
}

void MenuBar::paint(juce::Graphics& g)
{
    g.fillAll(backgroundColour);
}

void MenuBar::resized()
{
    const float w = (float) getWidth(), h = (float) getHeight();
    lookAndFeel->setSizesForBarHeight(h);

    const float pad = std::max(h * 0.12f, 6.0f);
    const int y = roundHalfAway(pad);
    const int presetWidth = roundHalfAway(w * 0.24f);
    const int buttonHeight = roundHalfAway(std::max(18.0f, h * 0.9f - 2.0f * pad));
    const float presetLeft = w * 0.5f - (float) presetWidth * 0.8f;
    presetButton.setBounds(roundHalfAway(presetLeft), y, presetWidth, buttonHeight);

    const int saveWidth = roundHalfAway(h * 1.8f);
    saveButton.setBounds(roundHalfAway(presetLeft + (float) presetWidth + w * 0.01f), y, saveWidth, buttonHeight);

    const float s = h * 0.8f;
    const int size = (int) s;
    settingsButton.setBounds(roundHalfAway(w * 0.9f), (int) ((h - s) / 2.0f), size, size);
    settingsButton.setFixedIconSize(s * 0.5f, s * 0.5f);
    settingsButton.repaint();
}

//==============================================================================
juce::PopupMenu MenuBar::createResolutionMenu()
{
    juce::PopupMenu menu;
    menu.setLookAndFeel(lookAndFeel.get());
    menu.addSectionHeader("Display Resolution");
    const char* names[] = {"Auto", "Low", "Medium", "High"};
    for (int i = 0; i < 4; ++i)
        menu.addItem(resolutionIdBase + i, names[i], true, (int) resolutionMode == i);
    for (size_t k = 0; k < settingsChoices.size(); ++k)
    {
        const auto& choice = settingsChoices[k];
        menu.addSectionHeader(choice.title);
        const int current = choice.current();
        for (int i = 0; i < choice.options.size(); ++i)
            menu.addItem(settingsChoiceIdBase + 100 * (int) k + i, choice.options[i], true, current == i);
    }
    return menu;
}

void MenuBar::addSettingsChoice(SettingsChoice choice)
{
    jassert(choice.options.size() <= 100);
    settingsChoices.push_back(std::move(choice));
}

void MenuBar::showResolutionMenu()
{
    const float h = (float) getHeight();
    lookAndFeel->setSizesForBarHeight(h);
    juce::Component::SafePointer<MenuBar> bar(this);
    createResolutionMenu().showMenuAsync(juce::PopupMenu::Options()
                                             .withTargetComponent(&settingsButton)
                                             .withMinimumWidth(roundHalfAway(std::max(h * 2.8f, 130.0f)))
                                             .withStandardItemHeight(roundHalfAway(h * 0.33f)),
                                         [bar, look = lookAndFeel](int result) {
                                             if (bar != nullptr)
                                                 bar->handleResolutionMenuResult(result);
                                         });
}

void MenuBar::handleResolutionMenuResult(int result)
{
    const int k = (result - settingsChoiceIdBase) / 100, option = (result - settingsChoiceIdBase) % 100;
    if (result >= settingsChoiceIdBase && k < (int) settingsChoices.size()
        && option < settingsChoices[(size_t) k].options.size())
    {
        settingsChoices[(size_t) k].choose(option);
        return;
    }
    if (result < resolutionIdBase || result > resolutionIdBase + 3)
        return;
    resolutionMode = (ResolutionMode) (result - resolutionIdBase);
    if (onResolutionChange)
        onResolutionChange(resolutionMode);
}

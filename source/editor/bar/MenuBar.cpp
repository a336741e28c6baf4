#include "editor/bar/MenuBar.h"

#include "editor/look/Palette.h"
#include "editor/look/Rounding.h"

namespace
{
const juce::String captionSuffix =
    juce::String(juce::CharPointer_UTF8("  \xe2\x96\xbe")); // two spaces, U+25BE
const juce::String previousCaption = juce::String(juce::CharPointer_UTF8("\xe2\x97\x80")); // U+25C0
const juce::String nextCaption = juce::String(juce::CharPointer_UTF8("\xe2\x96\xb6"));     // U+25B6
} // namespace

MenuBar::MenuBar()
{
    presetButton.setCaption(captionFor({}));
    previousButton.setCaption(previousCaption);
    nextButton.setCaption(nextCaption);
    saveButton.setCaption("Save");
    settingsButton.setIconKind(IconButton::gearIcon);

    addAndMakeVisible(previousButton);
    addAndMakeVisible(presetButton);
    addAndMakeVisible(nextButton);
    addAndMakeVisible(saveButton);
    addAndMakeVisible(settingsButton);

    presetMenu.onClosed = settingsMenu.onClosed = [this]
    {
        if (onMenuClosed)
            onMenuClosed();
    };
    presetButton.onClick = [this] { showPresetMenu(); };
    previousButton.onClick = [this] { presetMenu.step(-1); };
    nextButton.onClick = [this] { presetMenu.step(1); };
    saveButton.onClick = [this] { showSaveDialog(); };
    settingsButton.onClick = [this] { showSettingsMenu(); };

    startTimer(125);
}

MenuBar::~MenuBar()
{
    stopTimer();
    // Menus opened from here use the bar's look: close them while the bar is still whole. Their
    // callbacks find the menus gone and do nothing; the dialogs close with presetDialogs.
    juce::PopupMenu::dismissAllActiveMenus();
}

void MenuBar::setPresetManager(PresetManager* manager)
{
    presetMenu.setPresetManager(manager);
    presetDialogs.setPresetManager(manager);
    presetManager = manager;
    refreshPresetCaption();
}

juce::String MenuBar::captionFor(const juce::String& displayName)
{
    auto name = displayName.trim();
    if (name.isEmpty() || name == "Preset")
        name = PresetManager::noPresetName;
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

void MenuBar::showPresetMenu()
{
    presetMenu.show(presetButton, (float)getHeight());
}

void MenuBar::showSaveDialog()
{
    presetDialogs.showSaveDialog();
}

void MenuBar::showSettingsMenu()
{
    settingsMenu.show(settingsButton, (float)getHeight());
}

void MenuBar::paint(juce::Graphics& g)
{
    g.fillAll(palette::bar::background);
}

void MenuBar::resized()
{
    const float w = (float)getWidth(), h = (float)getHeight();
    menuLook->setSizesForBarHeight(h);

    const float pad = std::max(h * 0.12f, 6.0f);
    const int y = roundHalfAway(pad);
    const int presetWidth = roundHalfAway(w * 0.24f);
    const int buttonHeight = roundHalfAway(std::max(18.0f, h * 0.9f - 2.0f * pad));
    const float presetLeft = w * 0.5f - (float)presetWidth * 0.8f;
    presetButton.setBounds(roundHalfAway(presetLeft), y, presetWidth, buttonHeight);

    // The arrows are square, a narrow gap either side of the preset button; Save follows.
    const int arrowGap = roundHalfAway(std::max(2.0f, w * 0.004f));
    previousButton.setBounds(presetButton.getX() - arrowGap - buttonHeight, y, buttonHeight, buttonHeight);
    nextButton.setBounds(presetButton.getRight() + arrowGap, y, buttonHeight, buttonHeight);

    const int saveWidth = roundHalfAway(h * 1.8f);
    saveButton.setBounds(roundHalfAway(presetLeft + (float)presetWidth + w * 0.01f) + arrowGap + buttonHeight,
                         y, saveWidth, buttonHeight);

    const float s = h * 0.8f;
    const int size = (int)s;
    settingsButton.setBounds(roundHalfAway(w * 0.9f), (int)((h - s) / 2.0f), size, size);
    settingsButton.setFixedIconSize(s * 0.5f, s * 0.5f);
    settingsButton.repaint();
}

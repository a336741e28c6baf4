#include "editor/controls/SelectorGroup.h"

#include "editor/look/Palette.h"
#include "compat/JuceCompat.h"

SelectorGroup::SelectorGroup(juce::AudioProcessorValueTreeState& state, size_t group)
    : info(panel::selectorGroups[group])
{
    setInterceptsMouseClicks(false, true);
    setPaintingIsUnclipped(true); // its buttons clip themselves

    size_t n = 0;
    for (const auto& option : panel::selectors)
        if (option.group == group && n < options.size())
            options[n++] = &option;
    jassert(n == options.size());

    for (size_t i = 0; i < buttons.size(); ++i)
    {
        auto& button = buttons[i];
        button.setButtonText(options[i]->caption);
        button.setClickingTogglesState(false); // lit only by the parameter (showSelectedIndex)
        button.setLookAndFeel(&look);
        addAndMakeVisible(button);
    }

    if (auto* parameter = state.getParameter(info.parameterID))
    {
        attachment = std::make_unique<juce::ParameterAttachment>(
            *parameter, [this](float index) { showSelectedIndex(juce::roundToInt(index)); });
        // Clicking the lit button writes nothing: the parameter already holds its choice.
        for (size_t i = 0; i < buttons.size(); ++i)
            buttons[i].onClick = [this, i]
            { attachment->setValueAsCompleteGesture((float)options[i]->index); };
        attachment->sendInitialUpdate();
    }
}

SelectorGroup::~SelectorGroup()
{
    // The look is a member that goes before the buttons' base classes do.
    for (auto& button : buttons)
        button.setLookAndFeel(nullptr);
}

void SelectorGroup::setLayout(const Layout& layout)
{
    // The buttons' drawing keeps the panel's proportions; a button whose size stays the same still
    // draws afresh (it may keep a picture of itself).
    look.setScale(layout.scale);
    for (auto& button : buttons)
        button.repaint();

    juce::Rectangle<int> bounds;
    for (const auto& row : layout.rows)
        bounds = bounds.isEmpty() ? row : bounds.getUnion(row);
    setBounds(bounds);
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i].setBounds(layout.rows[options[i]->row] - getPosition());

    captionArea = layout.captionArea;
    captionFontHeight = layout.captionFontHeight;
}

void SelectorGroup::setPowerOn(bool on)
{
    powerOn = on;
    look.setPowerOn(on);
    for (auto& button : buttons)
        button.repaint(); // they may keep pictures of themselves
}

void SelectorGroup::setCachingEnabled(bool enabled)
{
    for (auto& button : buttons)
        button.setBufferedToImage(enabled);
}

void SelectorGroup::paintCaption(juce::Graphics& g) const
{
    g.setColour(powerOn ? palette::panel::groupCaption : palette::panel::groupCaptionOff);
    g.setFont(compat::makeFont(captionFontHeight, juce::Font::bold));
    g.drawText(info.caption, captionArea.toNearestInt(), juce::Justification::centred, false);
}

void SelectorGroup::showSelectedIndex(int index)
{
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i].setToggleState(options[i]->index == index, juce::dontSendNotification);
}

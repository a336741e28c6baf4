#pragma once

#include "editor/controls/PanelControls.h"
#include "editor/controls/SelectorLookAndFeel.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

// A selector group of the panel (FOCUS or MODE): its caption and three buttons bound to a choice
// parameter. A click writes the button's choice as one gesture the host can record (nothing when
// it is already chosen); the button of the parameter's choice is lit, whoever set it, and with
// power off none is.
//
// The caption changes only with the size and the power state: it is part of the main panel's
// picture, which keeps it between paints (paintCaption).
class SelectorGroup : public juce::Component
{
public:
    // The group's buttons are the entries of panel::selectors with this group, in table order.
    SelectorGroup(juce::AudioProcessorValueTreeState& state, size_t group);
    ~SelectorGroup() override;

    // Where the parts go, in the parent's coordinates: the caption's strip and the buttons by row
    // from the top; the group takes the bounding box of the buttons.
    struct Layout
    {
        juce::Rectangle<float> captionArea;
        std::array<juce::Rectangle<int>, panel::buttonsPerGroup> rows;
        float captionFontHeight = 0.0f;
        float scale = 1.0f; // the panel's (PanelLayout::scale)
    };
    void setLayout(const Layout& layout);

    void setPowerOn(bool on);
    // Keeps pictures of the buttons between paints, or draws them afresh every time.
    void setCachingEnabled(bool enabled);

    // Into the panel's picture: the caption, in the parent's coordinates.
    void paintCaption(juce::Graphics& g) const;

private:
    friend struct SelectorGroupTestAccess;

    // Lights the buttons whose choice the parameter holds (none for an index outside).
    void showSelectedIndex(int index);

    const panel::SelectorGroupInfo& info;
    SelectorLookAndFeel look;
    // The group's entries of panel::selectors and their buttons, in table order.
    std::array<const panel::SelectorInfo*, panel::buttonsPerGroup> options{};
    std::array<juce::TextButton, panel::buttonsPerGroup> buttons;
    // After the buttons, so that it goes first. Null when the parameter is missing.
    std::unique_ptr<juce::ParameterAttachment> attachment;

    bool powerOn = true;
    juce::Rectangle<float> captionArea;
    float captionFontHeight = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SelectorGroup)
};

#pragma once

#include "editor/controls/EditableValueLabel.h"
#include "editor/controls/RotaryKnobLookAndFeel.h"
#include "state/Parameters.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// One knob of the panel: the rotary slider bound to its parameter (a drag is one gesture the host
// can record; a change from the host shows at once), its value read-out under it, which a click
// opens for typing a value in the parameter's unit, and its caption above it. With power off the
// value arc turns grey and the read-out hides; the knob still works.
//
// The caption changes only with the size and the power state: it is part of the main panel's
// picture, which keeps it between paints (paintCaption).
class Knob : public juce::Component
{
public:
    // Bound to the parameter of the table entry when the state has it; unattached otherwise.
    Knob(juce::AudioProcessorValueTreeState& state, const ParameterSpec& spec, const juce::String& caption);
    ~Knob() override;

    // Where the parts go, in the parent's coordinates; the knob takes the bounding box of the
    // slider and the read-out.
    struct Layout
    {
        juce::Rectangle<int> slider, readOut;
        juce::Rectangle<int> captionBox; // the caption's text is centred in it
        const char* caption = nullptr;   // the caption to draw; null for the one the knob was made with
        float captionFontHeight = 0.0f, readOutFontHeight = 0.0f;
        juce::BorderSize<int> readOutBorder;
        float scale = 1.0f; // the panel's (PanelLayout::scale)
    };
    void setLayout(const Layout& layout);

    void setPowerOn(bool on);
    // Keeps a picture of the slider between paints, or draws it afresh every time.
    void setCachingEnabled(bool enabled) { slider.setBufferedToImage(enabled); }

    // Into the panel's picture: the caption, in the parent's coordinates.
    void paintCaption(juce::Graphics& g) const;

private:
    friend struct KnobTestAccess;

    // Sets the knob from typed text in the read-out's unit (the unit itself is optional), clamped
    // to the knob's range, then shows the read-out's canonical text.
    void applyTypedValue(const juce::String& text);
    void refreshReadOut();

    const ParameterSpec& spec;
    const juce::String fullCaption;
    juce::String caption;
    RotaryKnobLookAndFeel look;
    juce::Slider slider;
    EditableValueLabel readOut;
    // After the slider, so that it goes first. Null when the parameter is missing.
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;

    bool powerOn = true;
    juce::Rectangle<int> captionBox;
    float captionFontHeight = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(Knob)
};

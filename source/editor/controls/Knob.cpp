#include "editor/controls/Knob.h"

#include "editor/look/Palette.h"
#include "compat/JuceCompat.h"

#include <cmath>

Knob::Knob(juce::AudioProcessorValueTreeState& state, const ParameterSpec& parameterSpec,
           const juce::String& text)
    : spec(parameterSpec), fullCaption(text), caption(text)
{
    setInterceptsMouseClicks(false, true);
    setPaintingIsUnclipped(true); // its parts clip themselves

    slider.setName(spec.name);
    slider.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    slider.setLookAndFeel(&look);
    slider.onValueChange = [this] { refreshReadOut(); };
    addAndMakeVisible(slider);

    readOut.onValueEntered = [this](const juce::String& typed) { applyTypedValue(typed); };
    // The knob may have moved while the read-out was open for typing. Refreshed once the framework
    // has passed the typed text on, so that it is not replaced before it is read.
    readOut.onEditorHide = [this]
    {
        juce::MessageManager::callAsync(
            [knob = juce::Component::SafePointer<Knob>(this)]
            {
                if (knob != nullptr)
                    knob->refreshReadOut();
            });
    };
    readOut.setEditable(true, true, false);
    readOut.setJustificationType(juce::Justification::centred);
    readOut.setColour(juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    readOut.setColour(juce::Label::backgroundWhenEditingColourId, palette::panel::readOutEditingBackground);
    readOut.setColour(juce::Label::outlineColourId, juce::Colours::transparentBlack);
    readOut.setColour(juce::Label::outlineWhenEditingColourId, palette::accent.withAlpha((juce::uint8)0xD9));
    readOut.setColour(juce::Label::textColourId, palette::accentText);
    readOut.setColour(juce::Label::textWhenEditingColourId, palette::panel::readOutEditingText);
    addAndMakeVisible(readOut);

    if (state.getParameter(spec.id) != nullptr)
        attachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, spec.id, slider);
    refreshReadOut();
}

Knob::~Knob()
{
    // The look is a member that goes before the slider's base class does.
    slider.setLookAndFeel(nullptr);
}

void Knob::setLayout(const Layout& layout)
{
    // The knob's drawing keeps the panel's proportions; a slider whose size stays the same still
    // draws afresh (it may keep a picture of itself).
    look.setScale(layout.scale);
    slider.repaint();

    setBounds(layout.slider.getUnion(layout.readOut));
    slider.setBounds(layout.slider - getPosition());
    readOut.setFont(compat::makeFont(layout.readOutFontHeight, juce::Font::bold));
    readOut.setBorderSize(layout.readOutBorder);
    readOut.setBounds(layout.readOut - getPosition());

    captionBox = layout.captionBox;
    caption = layout.caption != nullptr ? juce::String(layout.caption) : fullCaption;
    captionFontHeight = layout.captionFontHeight;
}

void Knob::setPowerOn(bool on)
{
    powerOn = on;
    look.setPowerOn(on);
    slider.repaint(); // it may keep a picture of itself
    readOut.setVisible(on);
}

void Knob::paintCaption(juce::Graphics& g) const
{
    g.setColour(powerOn ? palette::panel::knobCaption : palette::panel::knobCaptionOff);
    g.setFont(compat::makeFont(captionFontHeight, juce::Font::bold));
    g.drawText(caption, captionBox, juce::Justification::centred, false);
}

void Knob::refreshReadOut()
{
    if (!readOut.isBeingEdited()) // keep what the user is typing
        readOut.setText(spec.formatWithUnit((float)slider.getValue()), juce::dontSendNotification);
}

// The text is read as the tools read --set values (parseTypedValue), but forgivingly: text that is
// not exactly a value sets the number it starts with (0 when none), and a number out of range is
// clamped. Text with nothing but units and spaces leaves the value as it is.
void Knob::applyTypedValue(const juce::String& text)
{
    const auto typed = parseTypedValue(spec, text);
    if (!typed.blank)
        slider.setValue(typed.plain, juce::sendNotificationSync);

    // The value may not have changed (or only within the knob's step): show its own text again.
    refreshReadOut();
}

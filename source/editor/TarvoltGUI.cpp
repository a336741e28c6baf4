#include "editor/TarvoltGUI.h"

#include "editor/PanelControls.h"
#include "plugin/JuceCompat.h"
#include "processor/TarvoltAudioProcessor.h"

#include <utility>

TarvoltGUI::TarvoltGUI(TarvoltAudioProcessor& p) : processor(p)
{
    const auto knobControls = knobs();
    const auto labels = valueLabels();
    const auto selectors = selectorButtons();

    for (size_t i = 0; i < knobControls.size(); ++i)
        configureKnob(*knobControls[i], panel::knobs[i].componentName);
    for (auto* knob : knobControls)
        addAndMakeVisible(knob);
    for (size_t i = 0; i < labels.size(); ++i)
        configureValueLabel(*labels[i], *knobControls[i]);

    for (size_t i = 0; i < selectors.size(); ++i)
        configureSelectorButton(*selectors[i], panel::selectors[i].caption);
    for (auto* button : selectors)
        addAndMakeVisible(button);
    addAndMakeVisible(powerButton);

    // An attachment copies its parameter's range and value into the control; a control whose
    // parameter is missing works unattached.
    const std::array<std::unique_ptr<SliderAttachment>*, PanelLayout::numKnobs> sliderAttachments{
        &attackAttachment, &sustainAttachment, &sensitivityAttachment, &punchAttachment,
        &clipAttachment,   &mixAttachment,     &outputAttachment};
    for (size_t i = 0; i < sliderAttachments.size(); ++i)
        if (processor.parameters.getParameter(panel::knobs[i].parameterID) != nullptr)
            *sliderAttachments[i] = std::make_unique<SliderAttachment>(processor.parameters,
                                                                       panel::knobs[i].parameterID, *knobControls[i]);
    if (processor.parameters.getParameter(ParameterIDs::power) != nullptr)
        powerAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
            processor.parameters, ParameterIDs::power, powerButton);

    // A selector writes its index even when already lit; its lit state only ever follows the
    // parameter (timerCallback).
    for (size_t i = 0; i < selectors.size(); ++i)
    {
        const auto& info = panel::selectors[i];
        selectors[i]->onClick = [this, info] { setParameterFromPanel(info.parameterID, (float) info.index); };
    }
    // A click flips the power parameter; the attachment then shows the new state.
    powerStateOnButton = powerButton.getToggleState();
    powerButton.onClick = [this] {
        // The attachment sends a click of its own whenever it shows a new state (after the flip
        // below, or when the host automates power). Acting on that would switch power back.
        if (std::exchange(powerStateOnButton, powerButton.getToggleState()) != powerButton.getToggleState())
            return;
        setParameterFromPanel(ParameterIDs::power, processor.isPowerOn() ? 0.0f : 1.0f);
    };

    // The selectors too, so that the first paint already shows them right.
    powerOnAtLastTick = processor.isPowerOn();
    setCachingEnabled(true);
    refreshSelectors();
    refreshValueLabels();
    updateValueLabelVisibility();
    startTimer(timerIntervalMs);
}

TarvoltGUI::~TarvoltGUI()
{
    // The look-and-feels are members that go before the controls' base classes do.
    for (auto* knob : knobs())
        knob->setLookAndFeel(nullptr);
    for (auto* button : selectorButtons())
        button->setLookAndFeel(nullptr);
}

std::array<juce::Slider*, PanelLayout::numKnobs> TarvoltGUI::knobs()
{
    return {&attackSlider, &sustainSlider, &sensitivitySlider, &punchSlider, &clipSlider, &mixSlider, &outputSlider};
}

std::array<TarvoltGUI::EditableValueLabel*, PanelLayout::numKnobs> TarvoltGUI::valueLabels()
{
    return {&attackValueLabel, &sustainValueLabel, &sensitivityValueLabel, &punchValueLabel,
            &clipValueLabel,   &mixValueLabel,     &outputValueLabel};
}

std::array<juce::TextButton*, 6> TarvoltGUI::selectorButtons()
{
    return {&focusLowButton, &focusFullButton, &focusHighButton, &modeTightButton, &modePunchButton, &modeSmoothButton};
}

//==============================================================================
void TarvoltGUI::configureKnob(juce::Slider& slider, const juce::String& name)
{
    slider.setName(name);
    slider.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    slider.setLookAndFeel(&knobLookAndFeel);
}

void TarvoltGUI::configureSelectorButton(juce::TextButton& button, const juce::String& caption)
{
    button.setButtonText(caption);
    button.setClickingTogglesState(false);
    button.setLookAndFeel(&toggleLookAndFeel);
}

void TarvoltGUI::configureValueLabel(EditableValueLabel& label, juce::Slider& slider)
{
    label.onValueEntered = [this, &slider](const juce::String& text) { applyTypedValue(slider, text); };
    label.setEditable(true, true, false);
    label.setJustificationType(juce::Justification::centred);
    label.setColour(juce::Label::backgroundColourId, juce::Colour(0x00000000));
    label.setColour(juce::Label::backgroundWhenEditingColourId, juce::Colour(0xFF16161E));
    label.setColour(juce::Label::outlineColourId, juce::Colour(0x00000000));
    label.setColour(juce::Label::outlineWhenEditingColourId, accentColour.withAlpha((juce::uint8) 0xD9));
    label.setColour(juce::Label::textColourId, accentColour.brighter(0.05f));
    label.setColour(juce::Label::textWhenEditingColourId, juce::Colour(0xFFF5F0FF));
    addAndMakeVisible(label);
}

void TarvoltGUI::setParameterFromPanel(const juce::String& id, float plainValue)
{
    if (auto* parameter = processor.parameters.getParameter(id))
        parameter->setValueNotifyingHost(parameter->convertTo0to1(plainValue));
}

void TarvoltGUI::refreshValueLabels()
{
    const auto knobControls = knobs();
    const auto labels = valueLabels();
    for (size_t i = 0; i < labels.size(); ++i)
    {
        const auto text = formatValueText(*knobControls[i]);
        if (!labels[i]->isBeingEdited()) // keep what the user is typing
            labels[i]->setText(text, juce::dontSendNotification);
    }
}

void TarvoltGUI::updateValueLabelVisibility()
{
    const bool on = processor.isPowerOn();
    for (auto* label : valueLabels())
        label->setVisible(on);
}

void TarvoltGUI::timerCallback()
{
    // Knobs and selectors draw differently with power off, and keep pictures of themselves.
    const bool on = processor.isPowerOn();
    if (std::exchange(powerOnAtLastTick, on) != on)
    {
        for (auto* knob : knobs())
            knob->repaint();
        for (auto* button : selectorButtons())
            button->repaint();
    }

    refreshSelectors();
    refreshValueLabels();
    updateValueLabelVisibility();
    repaint();
}

// Lights the selector of each group whose index the parameter holds; an index outside 0..2
// lights none.
void TarvoltGUI::refreshSelectors()
{
    const int focus = processor.getFocusIndex();
    focusLowButton.setToggleState(focus == FocusIndex::low, juce::dontSendNotification);
    focusFullButton.setToggleState(focus == FocusIndex::full, juce::dontSendNotification);
    focusHighButton.setToggleState(focus == FocusIndex::high, juce::dontSendNotification);

    const int mode = processor.getModeIndex();
    modeTightButton.setToggleState(mode == ModeIndex::tight, juce::dontSendNotification);
    modePunchButton.setToggleState(mode == ModeIndex::punch, juce::dontSendNotification);
    modeSmoothButton.setToggleState(mode == ModeIndex::smooth, juce::dontSendNotification);
}

//==============================================================================
void TarvoltGUI::setResolutionMode(DisplayResolution mode)
{
    resolutionMode = mode;
    repaint();
}

void TarvoltGUI::resized()
{
    layout = computePanelLayout((float) getWidth(), (float) getHeight());

    const auto knobControls = knobs();
    const auto labels = valueLabels();
    for (size_t i = 0; i < knobControls.size(); ++i)
    {
        knobControls[i]->setBounds(layout.knobBounds[i]);
        labels[i]->setFont(compat::makeFont(18.0f, juce::Font::bold));
        labels[i]->setBounds(layout.valueLabelBounds[i]);
    }

    focusHighButton.setBounds(layout.focusButtonBounds[0]);
    focusFullButton.setBounds(layout.focusButtonBounds[1]);
    focusLowButton.setBounds(layout.focusButtonBounds[2]);
    modeTightButton.setBounds(layout.modeButtonBounds[0]);
    modePunchButton.setBounds(layout.modeButtonBounds[1]);
    modeSmoothButton.setBounds(layout.modeButtonBounds[2]);

    powerButton.setBounds(layout.powerButtonBounds);
}

// Everything but the meter segments follows the size and the parameters, so it comes from a
// cached picture that is painted afresh only when one of them changed; the segments follow the
// audio and are drawn on every paint.
void TarvoltGUI::paint(juce::Graphics& g)
{
    const auto settings = readDisplaySettings();
    if (useCaches)
        picture.draw(g, getLocalBounds(), settings, [&](juce::Graphics& layer) { drawPicture(layer, settings); });
    else
        drawPicture(g, settings);

    const bool on = settings.powerOn;
    drawLevelMeterSegments(g, layout.inputMeterArea,
                           (processor.inputLevels[0].load() + processor.inputLevels[1].load()) * 0.5f, on);
    drawLevelMeterSegments(g, layout.outputMeterArea,
                           (processor.outputLevels[0].load() + processor.outputLevels[1].load()) * 0.5f, on);
}

// The dressing only follows the size and the power state: a second, longer-lived picture, so
// that moving a knob only redraws the curves on top of it.
void TarvoltGUI::drawPicture(juce::Graphics& g, const DisplaySettings& settings)
{
    const bool on = settings.powerOn;
    if (useCaches)
        dressing.draw(g, getLocalBounds(), on, [&](juce::Graphics& layer) { drawStaticLayer(layer, on); });
    else
        drawStaticLayer(g, on);
    if (settings.powerOn)
        drawSignalDisplayCurves(g, settings);
}

void TarvoltGUI::drawStaticLayer(juce::Graphics& g, bool on)
{
    const float W = (float) getWidth();
    const float H = (float) getHeight();

    g.setGradientFill(juce::ColourGradient(juce::Colour(0xFF080A0F), 0.0f, 0.0f, juce::Colour(0xFF0D0C14), 0.0f, H, false));
    g.fillAll();

    const auto card = getLocalBounds().toFloat().reduced(W * 0.01f, H * 0.02f);
    g.setColour(juce::Colour(0xFF14161E));
    g.fillRoundedRectangle(card, 18.0f);
    g.setColour(juce::Colour(0x1EFFFFFF));
    g.drawRoundedRectangle(card, 18.0f, 1.0f);

    g.setColour(on ? accentColour.withAlpha(0.14f) : juce::Colour(0xFF585866).withAlpha(0.08f));
    for (const auto& area : {layout.centreArea, layout.knobRowArea, layout.rightColumnArea})
        g.drawRoundedRectangle(area, 16.0f, 1.0f);

    drawHeader(g, on);
    drawSignalDisplayFrame(g, on);
    drawLevelMeterFrame(g, layout.inputMeterArea, "IN", on);
    drawLevelMeterFrame(g, layout.outputMeterArea, "OUT", on);
    drawSectionTitles(g, on);
}

void TarvoltGUI::setCachingEnabled(bool enabled)
{
    useCaches = enabled;
    for (auto* knob : knobs())
        knob->setBufferedToImage(enabled);
    for (auto* button : selectorButtons())
        button->setBufferedToImage(enabled);
    powerButton.setBufferedToImage(enabled);
    repaint();
}

void TarvoltGUI::drawHeader(juce::Graphics& g, bool on)
{
    const auto header = layout.headerArea;

    g.setColour(on ? juce::Colour(0xB0FFFFFF) : juce::Colour(0xFF8A8A94));
    g.setFont(compat::makeFont(header.getHeight() * 0.46f, juce::Font::bold));
    g.drawText("TARVOLT", header.toNearestInt(), juce::Justification::centredTop, false);

    const auto sub = header.withTrimmedTop(header.getHeight() * 0.44f);
    g.setColour(on ? accentColour : juce::Colour(0xFF666672));
    g.setFont(compat::makeFont(sub.getHeight() * 0.42f));
    g.drawText("TRANSIENT SHAPER", sub.toNearestInt(), juce::Justification::centredTop, false);
}

void TarvoltGUI::drawSectionTitles(juce::Graphics& g, bool on)
{
    g.setColour(on ? juce::Colour(0xFFE6E6EC) : juce::Colour(0xFF90909C));
    g.setFont(compat::makeFont((float) (getHeight() * 0.025), juce::Font::bold));
    const auto cells = layout.knobCells();
    for (size_t i = 0; i < cells.size(); ++i)
    {
        const auto& c = cells[i];
        const juce::Rectangle<int> area((int) c.getX(), (int) ((float) (int) c.getY() + c.getHeight() * 0.045f),
                                        (int) c.getWidth(), 22);
        g.drawText(panel::knobs[i].caption, area, juce::Justification::centred, false);
    }

    g.setColour(on ? juce::Colour(0xFFD4D4DC) : juce::Colour(0xFF8A8A94));
    g.setFont(compat::makeFont(17.0f, juce::Font::bold));
    g.drawText("FOCUS", layout.focusTitleArea.toNearestInt(), juce::Justification::centred, false);
    g.drawText("MODE", layout.modeTitleArea.toNearestInt(), juce::Justification::centred, false);
}

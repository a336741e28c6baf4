#include "editor/TarvoltGUI.h"

#include "editor/Palette.h"
#include "plugin/JuceCompat.h"
#include "processor/TarvoltAudioProcessor.h"

TarvoltGUI::TarvoltGUI(TarvoltAudioProcessor& p, DisplayResolution initialResolution)
    : processor(p), resolutionMode(initialResolution), liveView(p.getLiveFeed())
{
    for (size_t i = 0; i < numKnobs; ++i)
        configureKnob(i);
    for (auto& knob : knobs)
        addAndMakeVisible(knob);
    for (size_t i = 0; i < numKnobs; ++i)
        configureValueLabel(i);
    for (size_t i = 0; i < numSelectors; ++i)
        configureSelectorButton(i);
    for (auto& button : selectorButtons)
        addAndMakeVisible(button);
    addAndMakeVisible(powerButton);

    // Without a power parameter the panel shows what the processor reports (off).
    showPowerState(processor.isPowerOn());
    attachControls();
    for (size_t i = 0; i < numKnobs; ++i)
        refreshValueLabel(i);

    setCachingEnabled(true);
    showDisplayMode(processor.getDisplayMode());
    startTimer(timerIntervalMs);
}

TarvoltGUI::~TarvoltGUI()
{
    // The look-and-feels are members that go before the controls' base classes do.
    for (auto& knob : knobs)
        knob.setLookAndFeel(nullptr);
    for (auto& button : selectorButtons)
        button.setLookAndFeel(nullptr);
}

//==============================================================================
void TarvoltGUI::configureKnob(size_t index)
{
    auto& knob = knobs[index];
    knob.setName(panel::knobSpec(index).name);
    knob.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    knob.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    knob.setLookAndFeel(&knobLookAndFeel);
    knob.onValueChange = [this, index] { refreshValueLabel(index); };
}

void TarvoltGUI::configureValueLabel(size_t index)
{
    auto& label = valueLabels[index];
    label.onValueEntered = [this, index](const juce::String& text) { applyTypedValue(index, text); };
    // The knob may have moved while the read-out was open for typing. Refreshed once the framework
    // has passed the typed text on, so that it is not replaced before it is read.
    label.onEditorHide = [this, index] {
        juce::MessageManager::callAsync([panel = juce::Component::SafePointer<TarvoltGUI>(this), index] {
            if (panel != nullptr)
                panel->refreshValueLabel(index);
        });
    };
    label.setEditable(true, true, false);
    label.setJustificationType(juce::Justification::centred);
    label.setColour(juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    label.setColour(juce::Label::backgroundWhenEditingColourId, palette::panel::readOutEditingBackground);
    label.setColour(juce::Label::outlineColourId, juce::Colours::transparentBlack);
    label.setColour(juce::Label::outlineWhenEditingColourId, palette::accent.withAlpha((juce::uint8) 0xD9));
    label.setColour(juce::Label::textColourId, palette::accent.brighter(0.05f));
    label.setColour(juce::Label::textWhenEditingColourId, palette::panel::readOutEditingText);
    addAndMakeVisible(label);
}

void TarvoltGUI::configureSelectorButton(size_t index)
{
    auto& button = selectorButtons[index];
    button.setButtonText(panel::selectors[index].caption);
    button.setClickingTogglesState(false); // lit only by the parameter (showSelectedIndex)
    button.setLookAndFeel(&toggleLookAndFeel);
}

// Every control reaches its parameter through an attachment: a click or a drag is a gesture the
// host can record (begin, set, end), and the attachment's callback shows every change, whoever
// made it.
void TarvoltGUI::attachControls()
{
    auto& state = processor.parameters;
    for (size_t i = 0; i < numKnobs; ++i)
        if (state.getParameter(panel::knobs[i].parameterID) != nullptr)
            knobAttachments[i] = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(
                state, panel::knobs[i].parameterID, knobs[i]);

    for (size_t g = 0; g < numSelectorGroups; ++g)
        if (auto* parameter = state.getParameter(panel::selectorGroups[g].parameterID))
            selectorAttachments[g] = std::make_unique<juce::ParameterAttachment>(
                *parameter, [this, g](float index) { showSelectedIndex(g, juce::roundToInt(index)); });

    // Clicking the lit selector writes nothing: the parameter already holds its index.
    for (size_t i = 0; i < numSelectors; ++i)
        selectorButtons[i].onClick = [this, i] {
            const auto& info = panel::selectors[i];
            if (auto& attachment = selectorAttachments[info.group])
                attachment->setValueAsCompleteGesture((float) info.index);
        };

    if (auto* parameter = state.getParameter(ParameterIDs::power))
        powerAttachment =
            std::make_unique<juce::ParameterAttachment>(*parameter, [this](float on) { showPowerState(on >= 0.5f); });
    powerButton.onClick = [this] {
        if (powerAttachment != nullptr)
            powerAttachment->setValueAsCompleteGesture(powerOn ? 0.0f : 1.0f);
    };

    for (auto& attachment : selectorAttachments)
        if (attachment != nullptr)
            attachment->sendInitialUpdate();
    if (powerAttachment != nullptr)
        powerAttachment->sendInitialUpdate();
}

void TarvoltGUI::refreshValueLabel(size_t index)
{
    auto& label = valueLabels[index];
    if (!label.isBeingEdited()) // keep what the user is typing
        label.setText(panel::knobSpec(index).formatWithUnit((float) knobs[index].getValue()),
                      juce::dontSendNotification);
}

void TarvoltGUI::showPowerState(bool on)
{
    powerOn = on;
    powerButton.setToggleState(on, juce::dontSendNotification);
    knobLookAndFeel.setPowerOn(on);
    toggleLookAndFeel.setPowerOn(on);
    // Knobs and selectors draw differently with power off, and keep pictures of themselves.
    for (auto& knob : knobs)
        knob.repaint();
    for (auto& button : selectorButtons)
        button.repaint();
    for (auto& label : valueLabels)
        label.setVisible(on);
    repaint();
}

void TarvoltGUI::showSelectedIndex(size_t group, int index)
{
    for (size_t i = 0; i < numSelectors; ++i)
        if (panel::selectors[i].group == group)
            selectorButtons[i].setToggleState(panel::selectors[i].index == index, juce::dontSendNotification);
}

// The meters and the live view move with the audio; the display's curves follow the parameters,
// which the cached picture notices (see paint).
void TarvoltGUI::timerCallback()
{
    if (processor.getDisplayMode() != displayMode)
        showDisplayMode(processor.getDisplayMode());
    updateLiveView();
    repaint();
}

//==============================================================================
void TarvoltGUI::setResolutionMode(DisplayResolution mode)
{
    resolutionMode = mode;
    repaint();
}

void TarvoltGUI::setDisplayMode(DisplayMode mode)
{
    processor.setDisplayMode(mode);
    showDisplayMode(mode);
}

// The live view reads the audio only while it is shown.
void TarvoltGUI::showDisplayMode(DisplayMode mode)
{
    displayMode = mode;
    liveView.setReading(mode == DisplayMode::Live, juce::Time::getMillisecondCounterHiRes());
    repaint();
}

void TarvoltGUI::updateLiveView()
{
    liveView.update(juce::Time::getMillisecondCounterHiRes());
}

void TarvoltGUI::resized()
{
    layout = computePanelLayout((float) getWidth(), (float) getHeight());

    // The controls' own drawing keeps the panel's proportions too; a control whose size stays
    // the same still draws afresh (it keeps a picture of itself).
    knobLookAndFeel.setScale(layout.scale);
    toggleLookAndFeel.setScale(layout.scale);
    powerButton.setScale(layout.scale);
    for (auto* control : getChildren())
        control->repaint();

    for (size_t i = 0; i < numKnobs; ++i)
    {
        knobs[i].setBounds(layout.knobBounds[i]);
        valueLabels[i].setFont(compat::makeFont(layout.readOutFontHeight, juce::Font::bold));
        valueLabels[i].setBorderSize(layout.readOutBorder);
        valueLabels[i].setBounds(layout.valueLabelBounds[i]);
    }
    for (size_t i = 0; i < numSelectors; ++i)
        selectorButtons[i].setBounds(layout.selectorBounds(panel::selectors[i].group, panel::selectors[i].row));
    powerButton.setBounds(layout.powerButtonBounds);
}

// Everything but the meter segments and the live signal follows the size, the parameters and the
// display mode, so it comes from a cached picture that is painted afresh only when one of them
// changed; the segments and the live signal follow the audio and are drawn on every paint.
void TarvoltGUI::paint(juce::Graphics& g)
{
    const PictureKey key{readDisplaySettings(), displayMode};
    if (useCaches)
        picture.draw(g, getLocalBounds(), key, [&](juce::Graphics& layer) { drawPicture(layer, key); });
    else
        drawPicture(g, key);
    if (displayMode == DisplayMode::Live)
        drawLiveSignal(g, key.settings);

    drawLevelMeterSegments(g, layout.inputMeterArea,
                           (processor.getInputLevel(0) + processor.getInputLevel(1)) * 0.5f, powerOn);
    drawLevelMeterSegments(g, layout.outputMeterArea,
                           (processor.getOutputLevel(0) + processor.getOutputLevel(1)) * 0.5f, powerOn);
}

// The dressing only follows the size, the power state and the mode: a second, longer-lived
// picture, so that moving a knob only redraws the curves on top of it.
void TarvoltGUI::drawPicture(juce::Graphics& g, const PictureKey& key)
{
    const DressingKey dressingKey{key.settings.powerOn, key.mode};
    if (useCaches)
        dressing.draw(g, getLocalBounds(), dressingKey, [&](juce::Graphics& layer) { drawStaticLayer(layer, dressingKey); });
    else
        drawStaticLayer(g, dressingKey);
    if (key.mode == DisplayMode::Model && key.settings.powerOn)
        drawSignalDisplayCurves(g, key.settings);
}

void TarvoltGUI::drawStaticLayer(juce::Graphics& g, const DressingKey& key)
{
    const bool on = key.powerOn;
    const float W = (float) getWidth();
    const float H = (float) getHeight();

    g.setGradientFill(juce::ColourGradient(palette::panel::backgroundTop, 0.0f, 0.0f, palette::panel::backgroundBottom, 0.0f, H, false));
    g.fillAll();

    const auto card = getLocalBounds().toFloat().reduced(W * 0.01f, H * 0.02f);
    g.setColour(palette::panel::card);
    g.fillRoundedRectangle(card, 18.0f * layout.scale);
    g.setColour(palette::panel::cardEdge);
    g.drawRoundedRectangle(card, 18.0f * layout.scale, 1.0f);

    g.setColour(on ? palette::accent.withAlpha(0.14f) : palette::panel::unpowered.withAlpha(0.08f));
    for (const auto& area : {layout.centreArea, layout.knobRowArea, layout.rightColumnArea})
        g.drawRoundedRectangle(area, 16.0f * layout.scale, 1.0f);

    drawHeader(g, on);
    drawSignalDisplayFrame(g, on, key.mode);
    drawLevelMeterFrame(g, layout.inputMeterArea, "IN", on);
    drawLevelMeterFrame(g, layout.outputMeterArea, "OUT", on);
    drawSectionTitles(g, on);
}

void TarvoltGUI::setCachingEnabled(bool enabled)
{
    useCaches = enabled;
    for (auto& knob : knobs)
        knob.setBufferedToImage(enabled);
    for (auto& button : selectorButtons)
        button.setBufferedToImage(enabled);
    powerButton.setBufferedToImage(enabled);
    repaint();
}

void TarvoltGUI::drawHeader(juce::Graphics& g, bool on)
{
    const auto header = layout.headerArea;

    g.setColour(on ? palette::panel::title : palette::panel::titleOff);
    g.setFont(compat::makeFont(header.getHeight() * 0.46f, juce::Font::bold));
    g.drawText("TARVOLT", header.toNearestInt(), juce::Justification::centredTop, false);

    const auto sub = header.withTrimmedTop(header.getHeight() * 0.44f);
    g.setColour(on ? palette::accent : palette::panel::subtitleOff);
    g.setFont(compat::makeFont(sub.getHeight() * 0.42f));
    g.drawText("TRANSIENT SHAPER", sub.toNearestInt(), juce::Justification::centredTop, false);
}

void TarvoltGUI::drawSectionTitles(juce::Graphics& g, bool on)
{
    g.setColour(on ? palette::panel::knobCaption : palette::panel::knobCaptionOff);
    g.setFont(compat::makeFont(layout.captionFontHeight, juce::Font::bold));
    for (size_t i = 0; i < numKnobs; ++i)
        g.drawText(panel::knobs[i].caption, layout.captionBoxes[i], juce::Justification::centred, false);

    g.setColour(on ? palette::panel::groupCaption : palette::panel::groupCaptionOff);
    g.setFont(compat::makeFont(layout.groupTitleFontHeight, juce::Font::bold));
    for (size_t group = 0; group < numSelectorGroups; ++group)
        g.drawText(panel::selectorGroups[group].caption, layout.selectorTitleAreas[group].toNearestInt(),
                   juce::Justification::centred, false);
}

#include "editor/panel/MainPanel.h"

#include "editor/look/Palette.h"
#include "compat/JuceCompat.h"
#include "dsp/LevelMeters.h"
#include "state/PluginState.h"

static_assert(panel::buttonsPerGroup == PanelLayout::buttonsPerGroup, "the layout places every selector");

MainPanel::MainPanel(PluginState& state, LiveFeed& liveFeed, const LevelMeters& meters)
    : storedDisplayMode([&state] { return state.getDisplayMode(); }),
      storeDisplayMode([&state](DisplayMode mode) { state.setDisplayMode(mode); }),
      display(state.parameters, liveFeed),
      inputMeter("IN", [&meters](int channel) { return meters.getInputLevel(channel); }),
      outputMeter("OUT", [&meters](int channel) { return meters.getOutputLevel(channel); }),
      powerButton(state.parameters.getParameter(ParameterIDs::power), [this](bool on) { showPowerState(on); })
{
    addAndMakeVisible(display);
    addAndMakeVisible(inputMeter);
    addAndMakeVisible(outputMeter);
    for (size_t i = 0; i < numKnobs; ++i)
    {
        knobs[i] = std::make_unique<Knob>(state.parameters, panel::knobSpec(i), panel::knobs[i].caption);
        addAndMakeVisible(*knobs[i]);
    }
    for (size_t g = 0; g < numSelectorGroups; ++g)
    {
        selectorGroups[g] = std::make_unique<SelectorGroup>(state.parameters, g);
        addAndMakeVisible(*selectorGroups[g]);
    }
    addAndMakeVisible(powerButton);

    // Without a power parameter the panel shows power off, as the button does.
    showPowerState(powerButton.getToggleState());
    setCachingEnabled(true);
    showDisplayMode(storedDisplayMode());
    startTimer(timerIntervalMs);
}

MainPanel::~MainPanel() = default;

void MainPanel::showPowerState(bool on)
{
    powerOn = on;
    display.setPowerOn(on);
    inputMeter.setPowerOn(on);
    outputMeter.setPowerOn(on);
    for (auto& knob : knobs)
        if (knob != nullptr)
            knob->setPowerOn(on);
    for (auto& group : selectorGroups)
        if (group != nullptr)
            group->setPowerOn(on);
    repaint();
}

// The meters and the live view move with the audio; the display's curves follow the parameters.
// Each repaints itself when what it shows changed (the picture notices new settings, see paint).
void MainPanel::timerCallback()
{
    if (storedDisplayMode() != display.getMode())
        showDisplayMode(storedDisplayMode());
    display.refresh();
    inputMeter.refresh();
    outputMeter.refresh();
}

void MainPanel::setResolutionMode(DisplayResolution mode)
{
    display.setResolution(mode);
    repaint();
}

void MainPanel::setDisplayMode(DisplayMode mode)
{
    storeDisplayMode(mode);
    showDisplayMode(mode);
}

void MainPanel::showDisplayMode(DisplayMode mode)
{
    display.setMode(mode);
    repaint();
}

void MainPanel::resized()
{
    layout = computePanelLayout((float)getWidth(), (float)getHeight());
    const auto& l = layout;

    display.setArea(l.displayArea, l.scale);
    inputMeter.setArea(l.inputMeterArea, l.scale);
    outputMeter.setArea(l.outputMeterArea, l.scale);
    for (size_t i = 0; i < numKnobs; ++i)
        knobs[i]->setLayout({l.knobBounds[i], l.valueLabelBounds[i], l.captionBoxes[i], l.captions[i], l.captionFontHeight,
                             l.readOutFontHeight, l.readOutBorder, l.scale});
    for (size_t g = 0; g < numSelectorGroups; ++g)
        selectorGroups[g]->setLayout(
            {l.selectorTitleAreas[g], l.selectorButtonBounds[g], l.groupTitleFontHeight, l.scale});

    // The button's drawing keeps the panel's proportions; at the same size it still draws afresh
    // (it keeps a picture of itself).
    powerButton.setScale(l.scale);
    powerButton.repaint();
    powerButton.setBounds(l.powerButtonBounds);
}

void MainPanel::setCachingEnabled(bool enabled)
{
    useCaches = enabled;
    for (auto& knob : knobs)
        knob->setCachingEnabled(enabled);
    for (auto& group : selectorGroups)
        group->setCachingEnabled(enabled);
    powerButton.setBufferedToImage(enabled);
    repaint();
}

// The picture follows the size, the parameters and the display mode: it is painted afresh only
// when one of them changed. What moves with the audio (the meters' segments, the live signal) the
// parts paint over it on every paint.
void MainPanel::paint(juce::Graphics& g)
{
    const PictureKey key{display.readSettings(), display.getMode()};
    if (useCaches)
        picture.draw(g, getLocalBounds(), key, [&](juce::Graphics& layer) { drawPicture(layer, key); });
    else
        drawPicture(g, key);
}

// The dressing only follows the size, the power state and the mode: a second, longer-lived
// picture, so that moving a knob only redraws the display's model on top of it.
void MainPanel::drawPicture(juce::Graphics& g, const PictureKey& key)
{
    const DressingKey dressingKey{key.settings.powerOn, key.mode};
    if (useCaches)
        dressing.draw(g, getLocalBounds(), dressingKey, [&](juce::Graphics& layer) { drawDressing(layer); });
    else
        drawDressing(g);
    display.paintSettings(g, key.settings);
}

void MainPanel::drawDressing(juce::Graphics& g)
{
    const float W = (float)getWidth();
    const float H = (float)getHeight();

    g.setGradientFill(juce::ColourGradient(palette::panel::backgroundTop, 0.0f, 0.0f,
                                           palette::panel::backgroundBottom, 0.0f, H, false));
    g.fillAll();

    const auto card = getLocalBounds().toFloat().reduced(W * 0.01f, H * 0.02f);
    g.setColour(palette::panel::card);
    g.fillRoundedRectangle(card, 18.0f * layout.scale);
    g.setColour(palette::panel::cardEdge);
    g.drawRoundedRectangle(card, 18.0f * layout.scale, 1.0f);

    g.setColour(powerOn ? palette::accent.withAlpha(0.14f) : palette::panel::unpowered.withAlpha(0.08f));
    for (const auto& area : {layout.centreArea, layout.knobRowArea, layout.rightColumnArea})
        g.drawRoundedRectangle(area, 16.0f * layout.scale, 1.0f);

    drawTitle(g);

    // The parts' still faces.
    display.paintFrame(g);
    inputMeter.paintFrame(g);
    outputMeter.paintFrame(g);
    for (const auto& knob : knobs)
        knob->paintCaption(g);
    for (const auto& group : selectorGroups)
        group->paintCaption(g);
}

void MainPanel::drawTitle(juce::Graphics& g)
{
    g.setColour(powerOn ? palette::panel::title : palette::panel::titleOff);
    g.setFont(compat::makeFont(layout.titleFontHeight, juce::Font::bold));
    g.drawText("TARVOLT", layout.titleBox, juce::Justification::centredTop, false);

    g.setColour(powerOn ? palette::panel::subtitle : palette::panel::subtitleOff);
    g.setFont(compat::makeFont(layout.subtitleFontHeight));
    g.drawText("TRANSIENT SHAPER", layout.subtitleBox, juce::Justification::centredTop, false);
}

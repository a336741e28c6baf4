#include "editor/display/SignalDisplay.h"

#include "editor/display/ModelView.h"
#include "editor/look/Palette.h"

SignalDisplay::SignalDisplay(juce::AudioProcessorValueTreeState& parameterState, LiveFeed& liveFeed)
    : parameters(parameterState), liveView(liveFeed)
{
}

void SignalDisplay::setPowerOn(bool on)
{
    powerOn = on;
}

void SignalDisplay::setMode(DisplayMode newMode)
{
    mode = newMode;
    liveView.setReading(mode == DisplayMode::Live, juce::Time::getMillisecondCounterHiRes());
}

bool SignalDisplay::updateLiveView()
{
    return liveView.update(juce::Time::getMillisecondCounterHiRes());
}

void SignalDisplay::refresh()
{
    const bool liveChanged = updateLiveView();
    const auto settings = readSettings();
    if (liveChanged || !(settings == refreshedSettings))
        repaint(); // the panel's picture under it too: the model is part of it
    refreshedSettings = settings;
}

DisplaySettings SignalDisplay::readSettings() const
{
    DisplaySettings s;
    for (size_t i = 0; i < numParameters; ++i)
    {
        const auto* value = parameters.getRawParameterValue(parameterSpecs[i].id);
        s.parameters[i] = value != nullptr ? value->load() : 0.0f;
    }
    s.powerOn = powerOn; // as the controls show it
    s.curvePoints = curvePointsFor(resolutionMode, plot().plotW);
    return s;
}

void SignalDisplay::paintFrame(juce::Graphics& g) const
{
    const auto p = plot();

    g.setColour(powerOn ? palette::panel::displayFrame : palette::panel::displayFrameOff);
    g.drawRoundedRectangle(area, 10.0f * p.scale, 1.0f);
    g.setColour(palette::panel::plot);
    g.fillRoundedRectangle(p.frame, 12.0f * p.scale);
    if (mode == DisplayMode::Live)
        LiveView::paintFrame(g, livePlot());
    else if (powerOn)
        modelView::paintFrame(g, p);
}

void SignalDisplay::paintSettings(juce::Graphics& g, const DisplaySettings& settings)
{
    if (mode == DisplayMode::Live)
        LiveView::paintSettings(g, livePlot(), settings);
    else if (settings.powerOn)
        modelView::paintCurves(g, plot(), modelMaker.make(settings, settings.curvePoints), settings);
}

void SignalDisplay::paint(juce::Graphics& g)
{
    if (mode != DisplayMode::Live)
        return;
    drawInParentCoordinates(g);
    liveView.paintSignal(g, livePlot(), readSettings());
}

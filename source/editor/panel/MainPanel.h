#pragma once

#include "editor/controls/Knob.h"
#include "editor/controls/PanelControls.h"
#include "editor/controls/PowerButton.h"
#include "editor/controls/SelectorGroup.h"
#include "state/DisplayMode.h"
#include "editor/display/DisplayResolution.h"
#include "editor/display/SignalDisplay.h"
#include "editor/look/CachedLayer.h"
#include "editor/meters/LevelMeter.h"
#include "editor/panel/PanelLayout.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

class LevelMeters;
class LiveFeed;
class PluginState;

// The editor's main panel: it holds the signal display, the two level meters, the seven knobs,
// the focus and mode selectors and the power button, lays them out (PanelLayout) for whatever
// bounds it is given, and paints its own dressing under them: the background, the card, the
// section outlines and the title. A timer looks 30 times a second at what moves by itself (the
// meters, the live view) and at the parameters the display draws with, and repaints only the part
// whose picture changed: at rest nothing repaints. The knobs, their read-outs, the selectors and
// the power button repaint themselves when their parameters change.
//
// What changes only with the size, the power state, the display mode and the display's settings
// is painted once into a picture the panel keeps and copied on every later paint: its dressing and
// the still parts of the display, the meters, the knobs and the selectors (their frames and
// captions, drawn in the panel's coordinates by the parts themselves). The parts paint what moves
// on top of it.
class MainPanel : public juce::Component, private juce::Timer
{
public:
    MainPanel(PluginState& state, LiveFeed& liveFeed, const LevelMeters& meters);
    ~MainPanel() override;

    void paint(juce::Graphics& g) override;
    void resized() override;

    // How finely the signal display draws its curves (the menu bar's display-resolution choice).
    void setResolutionMode(DisplayResolution mode);

    // What the signal display shows: the model or the live signal. The choice is kept with the
    // plug-in's state: setting it stores it there, and the panel follows a change stored there
    // (a restored state) within a timer period.
    void setDisplayMode(DisplayMode mode);

    // Takes what the audio thread sent the live view since the last call. The timer does this on
    // every tick; a tool that runs the audio itself calls it between blocks.
    void updateLiveView() { display.updateLiveView(); }

private:
    friend struct MainPanelTestAccess;

    static constexpr int timerIntervalMs = 33;
    static constexpr size_t numKnobs = panel::knobs.size();
    static constexpr size_t numSelectorGroups = panel::selectorGroups.size();

    void timerCallback() override;
    void showDisplayMode(DisplayMode mode);
    // The power state as the power parameter reports it: the parts' looks, the read-outs'
    // visibility and the picture follow it.
    void showPowerState(bool on);

    // Keeps the picture and the controls' pictures of themselves, or paints everything afresh on
    // every paint. It looks the same either way.
    void setCachingEnabled(bool enabled);

    // What the picture follows besides the size: the dressing the power state and the display
    // mode; the whole picture the display's settings too.
    struct DressingKey
    {
        bool powerOn = true;
        DisplayMode mode = DisplayMode::Model;
        bool operator==(const DressingKey& o) const { return powerOn == o.powerOn && mode == o.mode; }
    };
    struct PictureKey
    {
        DisplaySettings settings;
        DisplayMode mode = DisplayMode::Model;
        bool operator==(const PictureKey& o) const { return settings == o.settings && mode == o.mode; }
    };
    void drawPicture(juce::Graphics& g, const PictureKey& key);
    // The panel's dressing and the parts' still faces, in painting order.
    void drawDressing(juce::Graphics& g);
    void drawTitle(juce::Graphics& g);

    // Where the display mode is kept (the plug-in's state).
    std::function<DisplayMode()> storedDisplayMode;
    std::function<void(DisplayMode)> storeDisplayMode;

    // The parts, in painting order. The power button reports the power state as it is built; the
    // constructor shows it to the knobs and selectors it builds after it.
    SignalDisplay display;
    LevelMeter inputMeter, outputMeter;
    std::array<std::unique_ptr<Knob>, numKnobs> knobs; // in the order of panel::knobs
    std::array<std::unique_ptr<SelectorGroup>, numSelectorGroups> selectorGroups;
    PowerButton powerButton;

    PanelLayout layout;
    bool powerOn = true;

    bool useCaches = true;
    CachedLayer<PictureKey> picture;
    CachedLayer<DressingKey> dressing;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainPanel)
};
